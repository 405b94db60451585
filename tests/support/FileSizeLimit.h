#pragma once

#include <csignal>
#include <sys/resource.h>

// Caps the size of files this process writes, as a full disk would, also for root.
struct FileSizeLimit
{
    rlimit previous{};
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);

    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit lowered{bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); std::signal(SIGXFSZ, previousHandler); }
};
