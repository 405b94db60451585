#pragma once

#include <QString>

// A failure inside one of the store's steps; the public operation that called the step catches it
// and reports it under its own name.
struct StoreFailure
{
    QString description;
};
