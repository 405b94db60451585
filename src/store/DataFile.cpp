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
    return Windows1252::decode(readBytes(path));
}

QByteArray readBytes(const QString& path)
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
    return bytes;
}

void writeQuoted(const QString& path, QStringView content)
{
    writeQuoted(path, QList<QStringView>{content});
}

void writeQuoted(const QString& path, const QList<QStringView>& pieces)
{
    // Unbuffered, so a short write (a full disk) shows in write()'s count: a failed flush inside
    // commit() can go unnoticed and replace the old file with a cut one. Until commit() the old
    // file stays as it is, also when a character turns out to have no byte.
    QSaveFile file(path);
    const auto failed = [&](const QString& reason) {
        return StoreFailure{QStringLiteral("Cannot write %1: %2").arg(shown(path), reason)};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failed(file.errorString());
    // Encoded and written a stretch at a time: a long body never needs a second copy in memory.
    constexpr qsizetype kStretch = 1 << 16;
    QByteArray bytes;
    bytes.reserve(kStretch + 4);
    const auto writeOut = [&] {
        // A write cut short by a full disk sets no error; writing the rest then fails with the system's own.
        qint64 written = 0;
        for (qint64 step = 0; written < bytes.size(); written += step) {
            step = file.write(bytes.constData() + written, bytes.size() - written);
            if (step <= 0)
                break;
        }
        if (written < bytes.size())
            throw failed(file.error() == QFileDevice::NoError ? QStringLiteral("The disk is full") : file.errorString());
        bytes.resize(0); // keeps the room for the next stretch
    };
    bytes.append('"');
    for (const QStringView piece : pieces) {
        for (qsizetype done = 0; done < piece.size();) {
            qsizetype length = std::min(kStretch, piece.size() - done);
            // A character beyond 16 bits stays whole, so it is named as itself when it has no byte.
            if (done + length < piece.size() && piece[done + length - 1].isHighSurrogate())
                ++length;
            char32_t offending = 0;
            if (!Windows1252::encodeAppend(bytes, piece.sliced(done, length), &offending))
                throw StoreFailure{Windows1252::unencodableMessage(offending)};
            done += length;
            writeOut();
        }
    }
    bytes.append('"').append("\r\n");
    writeOut();
    if (!file.commit())
        throw failed(file.errorString());
}

} // namespace DataFile
