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

// Writes `bytes` to `path`. A file (or a new one) is replaced: written to a new file beside
// it and renamed over it once complete, so it is never left half-written; a new file gets
// the usual permissions, an existing one keeps its own. A symbolic link is followed to the
// file it names, which is replaced so (the link stays). A FIFO or a device is written
// straight into. Anything else, such as a directory or a socket, is refused.
bool WriteOutputFile(const QByteArray& path, const QByteArray& bytes, QString* error);

// A file name for messages.
QString DisplayName(const QByteArray& path);
