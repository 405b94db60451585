#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <variant>

struct ExpandOptions
{
    bool help = false;
    bool compactStyle = false;
    bool showPrompts = false;
    bool fields = false;
    bool nullTerminated = false;
    QStringList answers;                     // for the prompts, in the order asked
    QList<std::pair<QChar, QString>> fixed;  // --set NAME=VALUE
    QString file;                            // empty or "-" means standard input
};

// The options, or the usage error to report.
std::variant<ExpandOptions, QString> ParseExpandOptions(const QStringList& arguments);

QString ExpandHelpText();
