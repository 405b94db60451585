#pragma once

// What every fuzz target shares: a failed check stops the run where libFuzzer sees it, and
// failure reports from the store are counted rather than shown.
#include "FailureReporter.h"

#include <cstdlib>

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class CountedFailures final : public FailureReporter
{
public:
    void reportFailure(const QString&) override { ++count; }
    int count = 0;
};
