#pragma once

#include "FailureReporter.h"

// Shows the store's failures to the user as critical message boxes titled "Vellumatic".
class DialogFailureReporter final : public FailureReporter
{
public:
    void reportFailure(const QString& text) override;
};
