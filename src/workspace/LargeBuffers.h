#pragma once

// A Run of a long template passes its result through several buffers of a hundred megabytes
// or more. The C library gives each its own fresh mapping and unmaps it when freed, so every
// page of every buffer faults on first touch, and on a virtual machine that costs more than
// the work done on it. Kept in the heap instead, freed buffers are reused by the next ones;
// up to 256 MiB of freed memory is held back for that. Call once, at start-up.
void KeepLargeBuffersInHeap();
