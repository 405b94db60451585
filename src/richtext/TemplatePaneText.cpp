#include "TemplatePaneText.h"

#include "RtfReader.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {
// Where a pasted table's frame begins and ends; toPlainText shows both as line feeds too.
constexpr char16_t kBeginningOfFrame = 0xFDD0;
constexpr char16_t kEndOfFrame = 0xFDD1;
} // namespace

QString TemplatePaneText(const QTextDocument& document)
{
    QString text = document.toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == kBeginningOfFrame || c == kEndOfFrame)
            c = u'\n';
    return text;
}

QString TemplatePaneTextOf(const QString& richText)
{
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    // Sizes do not change the text; 0 keeps every size the text sets.
    InsertRichTextRuns(cursor, ReadRichTextRuns(richText, 0));
    return TemplatePaneText(document);
}
