#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Converts a loosely typed value to a 32-bit integer as the Windows edition did: decimal text or a
// number, fractions rounded to the nearest integer with halves to even, a null value as 0. Gives
// nullopt with a description in *failure for anything else or a value out of range.
std::optional<qint32> toWholeNumber(const QVariant& value, QString* failure);
