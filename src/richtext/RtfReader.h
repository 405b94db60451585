#pragma once

#include <QList>
#include <QString>
#include <QTextCharFormat>

class QTextCursor;

// One stretch of text in one format; paragraphs are separated by QChar::ParagraphSeparator.
struct RichTextRun
{
    QString text;
    QTextCharFormat format;
};

// Reads RTF as Windows' rich edit control writes it: font and colour tables, \cf, \par,
// \line, \tab, \'hh, \uN with \ucN, \pard, \plain, \fs, \b, \i, \ul; ignorable and unknown
// destinations are skipped, unknown control words too. Fonts are not applied: the panes
// keep their own font. A size equal to `defaultPointSize` is left unset. Text that does
// not start with "{\rtf" is read as plain text, CR LF, CR and LF each ending a line.
QList<RichTextRun> ReadRichTextRuns(const QString& text, qreal defaultPointSize);

// Inserts the runs at the cursor, inside the caller's edit block if there is one.
void InsertRichTextRuns(QTextCursor& cursor, const QList<RichTextRun>& runs);

