#include "DataFile.h"

#include "StoreFailure.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

namespace DataFile {

QString read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw StoreFailure{QStringLiteral("File not found: %1").arg(shown(path))};
    if (info.isDir())
        throw StoreFailure{QStringLiteral("%1 is a folder, not a file").arg(shown(path))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreFailure{QStringLiteral("Cannot read %1: %2").arg(shown(path), file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StoreFailure{QStringLiteral("Cannot read %1: %2").arg(shown(path), file.errorString())};
    return Windows1252::decode(bytes);
}

void writeQuoted(const QString& path, QStringView content)
{
    writeQuoted(path, QList<QStringView>{content});
}

void writeQuoted(const QString& path, const QList<QStringView>& pieces)
{
    qsizetype size = 4;
    for (const QStringView piece : pieces)
        size += piece.size();
    QByteArray line;
    line.reserve(size);
    line.append('"');
    for (const QStringView piece : pieces) {
        char32_t offending = 0;
        if (!Windows1252::encodeAppend(line, piece, &offending))
            throw StoreFailure{Windows1252::unencodableMessage(offending)};
    }
    line.append('"').append("\r\n");

    // Unbuffered, so a short write (a full disk) shows in write()'s count: a failed flush inside
    // commit() can go unnoticed and replace the old file with a cut one.
    QSaveFile file(path);
    const auto failed = [&](const QString& reason) {
        return StoreFailure{QStringLiteral("Cannot write %1: %2").arg(shown(path), reason)};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failed(file.errorString());
    // A write cut short by a full disk sets no error; writing the rest then fails with the system's own.
    qint64 written = 0;
    for (qint64 step = 0; written < line.size(); written += step) {
        step = file.write(line.constData() + written, line.size() - written);
        if (step <= 0)
            break;
    }
    if (written < line.size())
        throw failed(file.error() == QFileDevice::NoError ? QStringLiteral("The disk is full") : file.errorString());
    if (!file.commit())
        throw failed(file.errorString());
}

} // namespace DataFile
