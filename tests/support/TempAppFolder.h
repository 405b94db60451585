#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

// A throw-away application folder with an empty Data folder in it.
class TempAppFolder
{
public:
    TempAppFolder()
    {
        if (!dir_.isValid() || !QDir(dir_.path()).mkdir(QStringLiteral("Data")))
            throw std::runtime_error("cannot create a temporary application folder");
    }

    QString path() const { return dir_.path(); }
    QString dataPath(const QString& fileName = {}) const
    {
        return dir_.filePath(fileName.isEmpty() ? QStringLiteral("Data") : QStringLiteral("Data/") + fileName);
    }

    // Writes raw bytes into Data/<fileName> (for files as another program left them).
    void writeDataFile(const QString& fileName, const QByteArray& bytes) const
    {
        QFile file(dataPath(fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write a test data file");
    }
    QByteArray readDataFile(const QString& fileName) const
    {
        QFile file(dataPath(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool dataFileExists(const QString& fileName) const { return QFile::exists(dataPath(fileName)); }

private:
    QTemporaryDir dir_;
};
