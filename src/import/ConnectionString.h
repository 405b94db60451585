#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A connection string is a list of "name=value" segments joined by ";", the first being
// "Provider=...". A value may be put in double or single quotes to hold ";" or blanks
// (a doubled quote inside stands for one), as OLE DB connection strings allow.
struct ConnectionSegment
{
    QString name;
    QString value;
};

QList<ConnectionSegment> parseConnectionString(const QString& text);

// The value of the first segment whose name is one of names (letter case ignored); empty if none.
QString segmentValue(const QList<ConnectionSegment>& segments, const QStringList& names);

// "name=value", the value quoted when it could not be read back otherwise.
QString formatSegment(const QString& name, const QString& value);

// Only the first segment, exactly "Provider=MSDAORA.1" with letter case ignored, selects the
// Oracle dictionary; blanks around "=" or anything else leave the generic table listing.
bool readsOracleDictionary(const QString& connectionString);
