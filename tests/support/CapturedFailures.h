#pragma once

#include "FailureReporter.h"

#include <QStringList>

// Collects the store's failure messages for the lifetime of the object.
class CapturedFailures final : public FailureReporter
{
public:
    CapturedFailures() : previous_(FailureReporter::install(this)) {}
    ~CapturedFailures() override { FailureReporter::install(previous_); }
    CapturedFailures(const CapturedFailures&) = delete;
    CapturedFailures& operator=(const CapturedFailures&) = delete;
    void reportFailure(const QString& text) override { texts << text; }

    QStringList texts;

private:
    FailureReporter* previous_;
};
