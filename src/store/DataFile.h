#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Whole-file access to the Windows-1252 data files. Both throw StoreFailure with a description
// fit for the user.
namespace DataFile {

QByteArray readBytes(const QString& path);
// The file's bytes read as Windows-1252.
QString read(const QString& path);

// Writes a double quote, content, a double quote and CR LF, atomically: on any failure (a character
// Windows-1252 lacks, a missing or read-only folder, a full disk) the previous file stays as it was.
void writeQuoted(const QString& path, QStringView content);
// The same for content given in pieces, which are encoded one after the other without joining.
void writeQuoted(const QString& path, const QList<QStringView>& pieces);

} // namespace DataFile
