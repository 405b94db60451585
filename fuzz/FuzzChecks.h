#pragma once

// What every fuzz target shares: a failed check stops the run where libFuzzer sees it, and
// failure reports from the store are counted rather than shown; its questions are answered No.
#include "FailureReporter.h"

#include <QDir>
#include <QTemporaryDir>
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
    bool ask(const QString&) override { return false; }
    int count = 0;
};

// An application folder with its Data folder, and the counter the store reports into, made
// once for the whole run.
struct FuzzFolder
{
    QString path;
    CountedFailures& failures;
};
inline FuzzFolder SharedFuzzFolder()
{
    static QTemporaryDir folder;
    static const bool made = QDir(folder.path()).mkpath(QStringLiteral("Data"));
    static CountedFailures failures;
    static const bool installed = (FailureReporter::install(&failures), true);
    Check(made && installed);
    return {folder.path(), failures};
}
