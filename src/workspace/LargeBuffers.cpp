#include "LargeBuffers.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

void KeepLargeBuffersInHeap()
{
#ifdef __GLIBC__
    // Without mappings the heap still falls back to one when it cannot grow.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}
