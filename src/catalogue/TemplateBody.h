#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// A template's body file holds the template pane's rich text, the pane separator and the
// result pane's rich text.
inline const QString kPaneSeparator = QStringLiteral("_$$$_001_$$$_");

struct TemplateBody
{
    QString templateRichText;
    QString resultRichText;
    // False when the body could not be read or holds no pane separator: the panes then show
    // what could be read, and the body must not be written back unless the user edits it,
    // so lower the template modified flag once both panes are filled.
    bool complete = false;
};

// Splits at every pane separator: part 0 for the template pane, part 1 for the result
// pane, further parts dropped.
TemplateBody SplitBody(QString body);

// The body as read from its file, without the line break the store adds after the text.
QString StoredBodyText(QString readBack);

QString JoinBody(const QString& templateRichText, const QString& resultRichText);
// The pieces JoinBody joins, for writing a body without building it first.
QList<QStringView> BodyPieces(const QString& templateRichText, const QString& resultRichText);
