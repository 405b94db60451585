#pragma once

#include "Recordset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// The program's only gateway to its data files: table files ("Data\Tempalates.app",
// "Data\Values.app") and body files ("Data\TMP_key12"), all Windows-1252 text.
// Every write rewrites the whole file atomically. Failures are reported through
// FailureReporter as "<Operation>: "<description>"" and give an empty result; a failed write leaves
// the previous file as it was. Characters Windows-1252 lacks are refused, never replaced. A table
// file another program saved as UTF-8 is converted only when the user says Yes to the question
// the store asks through FailureReporter::ask; until then it is read as before and never written.
class DataStore
{
public:
    // applicationFolder: the folder that holds the Data folder.
    explicit DataStore(QString applicationFolder);
    // A data folder opened wherever it is and whatever its name: "Data\..." names resolve inside it.
    static DataStore forDataFolder(const QString& dataFolder);

    const QString& applicationFolder() const { return applicationFolder_; }
    // Where a table name such as "Data\Tempalates.app" lives on disk.
    QString tablePath(const QString& tableName) const;

    // tableName is relative to the application folder, for example "Data\Tempalates.app".
    std::optional<Recordset> readTable(const QString& tableName);
    // Appends one record (one value per field, header order); returns the table read back.
    // A record whose value count differs from the header's field count is refused.
    std::optional<Recordset> insertRecord(const QString& tableName, const QVariantList& record);
    // Appends several records with a single rewrite of the file; the file ends up as
    // insertRecord called once per record would leave it. Reports as "InsertRecord: ".
    std::optional<Recordset> insertRecords(const QString& tableName, const QList<QVariantList>& records);
    std::optional<Recordset> deleteRecord(const QString& tableName, qint32 recordId);
    // Replaces every record whose ID reads as recordId (matched as deleteRecord matches) by `record`;
    // the other records keep their text. A table without such a record is refused, its file
    // left unwritten. Reports as "UpdateRecord: ".
    std::optional<Recordset> updateRecord(const QString& tableName, qint32 recordId, const QVariantList& record);

    // bodyName is a bare name inside the Data folder, for example "TMP_key12".
    // Returns the body text (always ending in CR LF), or empty on failure.
    QString readBody(const QString& bodyName);
    // Returns false (after reporting "WriteStream: ...") when the file could not be written.
    bool writeBody(const QString& bodyName, const QString& text);
    // The same for a body given in pieces, written as their concatenation without joining them.
    bool writeBody(const QString& bodyName, const QList<QStringView>& pieces);
    // Deletes the body file; a body that is already gone is no failure.
    void removeBody(const QString& bodyName);
    // A fingerprint of the body file's bytes as they are now: empty while there is no such file.
    // Two windows on one folder compare it with the one taken when they read or wrote the body,
    // to tell whether the other has written it since. Reports nothing.
    QByteArray bodyVersion(const QString& bodyName) const;

    // Removes the temporary files that writes cut short (the program killed mid-write) left beside
    // the given table files and the body files named bodyPrefix + key. Nothing else is touched.
    void removeInterruptedWrites(const QStringList& tableNames, const QString& bodyPrefix) const;

private:
    // Whether the table text is read to change the file; a file saved as UTF-8 is then left as it
    // is unless the user lets it be stored as Windows-1252.
    enum class TableUse { Read, Change };

    // The private steps throw StoreFailure; the public operation that called them reports it.
    QString ReadTableText(const QString& fileName, TableUse use) const;
    static QString tableText(const QString& content);
    void WriteTableText(const QString& fileName, const QString& text) const;
    static QString BuildRecordLine(const QVariantList& values);

    Recordset readRecordset(const QString& tableName) const;
    QString appendRecords(const QString& tableName, const QList<QVariantList>& records) const;

    QString bodyPath(const QString& bodyName) const;

    DataStore(QString applicationFolder, QString dataFolder);

    QString applicationFolder_;
    QString dataFolder_;
};
