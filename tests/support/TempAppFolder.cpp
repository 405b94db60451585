#include "TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

TempAppFolder::TempAppFolder()
{
    if (!dir_.isValid() || !QDir(dir_.path()).mkdir(QStringLiteral("Data")))
        throw std::runtime_error("cannot create a temporary application folder");
}

QString TempAppFolder::dataPath(const QString& fileName) const
{
    return fileName.isEmpty() ? dir_.filePath(QStringLiteral("Data"))
                              : dir_.filePath(QStringLiteral("Data/") + fileName);
}

void TempAppFolder::writeDataFile(const QString& fileName, const QByteArray& bytes) const
{
    QFile file(dataPath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a test data file");
}

QByteArray TempAppFolder::readDataFile(const QString& fileName) const
{
    QFile file(dataPath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempAppFolder::dataFileExists(const QString& fileName) const
{
    return QFile::exists(dataPath(fileName));
}
