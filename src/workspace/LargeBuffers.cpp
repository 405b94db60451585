#include "LargeBuffers.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QTimer>

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

void KeepLargeBuffersInHeap()
{
#ifdef __GLIBC__
    // Without mappings the heap still falls back to one when it cannot grow.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

void ReleaseFreedBuffersWhenIdle()
{
#ifdef __GLIBC__
    static QTimer* const idle = [] {
        auto* timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(std::chrono::seconds(30));
        // Handing back a gigabyte takes a while; the window need not wait for it.
        QObject::connect(timer, &QTimer::timeout,
                         [] { QThreadPool::globalInstance()->start([] { malloc_trim(0); }); });
        return timer;
    }();
    idle->start();
#endif
}
