#pragma once

#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

// A throw-away application folder, a store over it and the failures the store reports.
struct StoreFolder : testing::Test, TempAppFolder
{
    CapturedFailures failures;
    Stream store{path()};
};
