#pragma once

#include <QList>
#include <QString>

// One item of a sample catalogue; children hang under it in order.
struct SampleItem
{
    QString name;
    // A template's text; empty for values.
    QString templateText;
    // The answer to every bound prompt when the shipped result is produced.
    QString answer = QStringLiteral("3");
    QList<SampleItem> children;
};

QList<SampleItem> SampleTemplates();
QList<SampleItem> SampleValues();
