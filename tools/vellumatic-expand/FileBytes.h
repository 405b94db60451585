#pragma once

#include <QByteArray>
#include <QString>

// Byte-level input and output for the tool, by POSIX calls: file names are used as the
// bytes given, and every failure is reported with the system's reason.

// The whole content of `path`, or of standard input when `path` is empty or "-".
// Empty and `*error` set when it cannot be read (also when standard input is closed).
QByteArray ReadAllBytes(const QByteArray& path, QString* error);

// Writes `bytes` to standard output; false and `*error` set on failure.
bool WriteToStandardOutput(const QByteArray& bytes, QString* error);

// Replaces `path` by a file holding `bytes`: written to a new file beside it and renamed
// over it once complete, so `path` is never left half-written. A new file gets the
// usual permissions; an existing one keeps its own.
bool WriteFileAtomically(const QByteArray& path, const QByteArray& bytes, QString* error);

// A file name for messages.
QString DisplayName(const QByteArray& path);
