#pragma once

#include "CapturedFailures.h"
#include "DataStore.h"
#include "TempAppFolder.h"

#include <gtest/gtest.h>

// A throw-away application folder, a store over it and the failures the store reports.
struct StoreFolder : testing::Test, TempAppFolder
{
    CapturedFailures failures;
    DataStore store{path()};

    // The failures reported since the last look begin with `starts`, in order.
    void expectReported(const QStringList& starts)
    {
        ASSERT_EQ(failures.texts.size(), starts.size()) << failures.texts.join('\n').toStdString();
        for (qsizetype i = 0; i < starts.size(); ++i)
            EXPECT_TRUE(failures.texts[i].startsWith(starts[i])) << failures.texts[i].toStdString();
        failures.texts.clear();
    }
};
