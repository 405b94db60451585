#pragma once

#include "FailureReporter.h"

// Shows the store's failures to the user as critical message boxes titled "Vellumatic", and
// asks its questions with Yes and No.
class DialogFailureReporter final : public FailureReporter
{
public:
    void reportFailure(const QString& text) override;
    bool ask(const QString& question) override;
};
