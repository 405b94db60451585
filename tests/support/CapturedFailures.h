#pragma once

#include "FailureReporter.h"

#include <QStringList>

// Collects the store's failure messages and questions for the lifetime of the object, and gives
// every question the same answer.
class CapturedFailures final : public FailureReporter
{
public:
    CapturedFailures() : previous_(FailureReporter::install(this)) {}
    ~CapturedFailures() override { FailureReporter::install(previous_); }
    CapturedFailures(const CapturedFailures&) = delete;
    CapturedFailures& operator=(const CapturedFailures&) = delete;
    void reportFailure(const QString& text) override { texts << text; }
    bool ask(const QString& question) override
    {
        questions << question;
        return answer;
    }

    QStringList texts;
    QStringList questions;
    bool answer = false;

private:
    FailureReporter* previous_;
};
