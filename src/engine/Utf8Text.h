#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Text read from a file that must be UTF-8: nothing when a byte sequence is not, so a
// wrong file is refused rather than read with replacement characters. A leading byte
// order mark is dropped unless `keepByteOrderMark`.
std::optional<QString> DecodeUtf8(QByteArrayView bytes, bool keepByteOrderMark = false);
