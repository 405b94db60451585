#pragma once

// A Run of a long template passes its result through several buffers of a hundred megabytes
// or more. The C library gives each its own fresh mapping and unmaps it when freed, so every
// page of every buffer faults on first touch, and on a virtual machine that costs more than
// the work done on it. Kept in the heap instead, freed buffers are reused by the next ones:
// up to 1 GiB of freed memory is held back while the user works. Call once, at start-up.
void KeepLargeBuffersInHeap();

// Gives the freed memory back to the system once the program has been left alone for a
// while. Call after each piece of work that may have used large buffers.
void ReleaseFreedBuffersWhenIdle();
