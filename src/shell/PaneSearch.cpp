#include "PaneSearch.h"

#include <QList>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Raw text indices are document positions, so hits map straight onto cursors.
QString paneText(const TextPane& pane)
{
    return pane.document()->toRawText();
}

} // namespace

int FindInPane(TextPane pane, const QString& text, int start)
{
    if (!pane || text.isEmpty() || start < 0)
        return -1;
    const qsizetype at = paneText(pane).indexOf(text, start, Qt::CaseInsensitive);
    if (at < 0)
        return -1;
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + text.size()), QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    return int(at);
}

void ReplaceInPane(TextPane pane, const QString& find, const QString& replacement)
{
    if (!pane || pane.isReadOnly() || find.isEmpty())
        return;
    const QString text = paneText(pane);
    QList<qsizetype> hits;
    for (qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(find, at + find.size(), Qt::CaseInsensitive))
        hits << at;
    if (hits.isEmpty())
        return;

    QTextCursor cursor(pane.document());
    cursor.beginEditBlock();
    // Back to front, so the positions still to come are not shifted by earlier edits.
    for (auto hit = hits.crbegin(); hit != hits.crend(); ++hit) {
        cursor.setPosition(int(*hit));
        cursor.setPosition(int(*hit + find.size()), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
    }
    cursor.endEditBlock();
}
