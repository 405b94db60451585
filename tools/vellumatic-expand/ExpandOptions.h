#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <variant>

struct ExpandOptions
{
    bool help = false;
    bool version = false;
    bool compactStyle = false;
    bool showPrompts = false;
    bool fields = false;
    bool nullTerminated = false;
    bool strict = false;
    QStringList answers;                     // for the bound names, in the order they stand
    QList<std::pair<QChar, QString>> fixed;  // --set NAME=VALUE
    QList<std::pair<QString, QString>> fills; // --fill NAME=VALUE: the field "$NAME!" and its value
    // File names stay the bytes they were given as: a name that is not valid text in
    // any encoding must still open.
    QByteArray file;                         // empty or "-" means standard input
    QByteArray output;                       // empty means standard output
    QByteArray rows;                         // --rows: the table that fills the repetitions
    QByteArray typeMap;                      // --type-map; empty: the Data folder's or the shipped one
    // The stored catalogue: the Data folder (empty: the one the program would open), a
    // template's path in it, whether to list the paths or to store the result in the body.
    QByteArray data;
    QString templatePath;
    bool list = false;
    bool save = false;
    bool usesCatalogue() const { return !data.isEmpty() || list || !templatePath.isNull(); }
};

// The options (values of --answer and --set read as UTF-8), or the usage error to report.
std::variant<ExpandOptions, QString> ParseExpandOptions(const QList<QByteArray>& arguments);

QString ExpandHelpText();
