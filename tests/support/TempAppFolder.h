#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away application folder with an empty Data folder in it.
class TempAppFolder
{
public:
    TempAppFolder();

    QString path() const { return dir_.path(); }
    QString dataPath(const QString& fileName = {}) const;

    // Writes raw bytes into Data/<fileName> (for files as another program left them).
    void writeDataFile(const QString& fileName, const QByteArray& bytes) const;
    QByteArray readDataFile(const QString& fileName) const;
    bool dataFileExists(const QString& fileName) const;

private:
    QTemporaryDir dir_;
};
