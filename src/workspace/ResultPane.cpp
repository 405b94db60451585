#include "ResultPane.h"

#include "LineGrouping.h"
#include "MarkerColouring.h"
#include "TextRules.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QTextCharFormat colourFormat(Qt::GlobalColor colour)
{
    QTextCharFormat format;
    format.setForeground(QColor(colour));
    return format;
}

// Colours [start, end) of the document: black, with the red runs over it.
void paintRuns(QTextCursor& cursor, qsizetype start, qsizetype end, const QList<TextSpan>& red,
               qsizetype offset)
{
    const QTextCharFormat black = colourFormat(Qt::black);
    const QTextCharFormat redFormat = colourFormat(Qt::red);
    cursor.setPosition(int(start));
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(black);
    for (const TextSpan& run : red) {
        cursor.setPosition(int(offset + run.start));
        cursor.setPosition(int(offset + run.start + run.length), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(redFormat);
    }
}

// The pane makes a paragraph of every carriage return too, so a Windows line break
// would show as an extra empty line.
QString singleLineFeeds(QString text)
{
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    return text;
}

QString groupedIntoParagraphs(QString text)
{
    qsizetype line = 0;
    for (QChar& c : text)
        if (c == QLatin1Char('\n') && LineBreakAfter(++line) == QChar::LineSeparator)
            c = QChar::LineSeparator;
    return text;
}

// `text` with the `length` characters at each of `at` replaced by `value`; the places
// are known already, so nothing is searched again.
QString spliced(const QString& text, const QList<qsizetype>& at, qsizetype length, const QString& value)
{
    QString result;
    result.reserve(text.size() + at.size() * (value.size() - length));
    qsizetype done = 0;
    for (qsizetype start : at) {
        result.append(QStringView(text).mid(done, start - done)).append(value);
        done = start + length;
    }
    result.append(QStringView(text).mid(done));
    return result;
}

} // namespace

void WriteResultPane(QTextEdit& pane, const QString& text)
{
    QTextDocument& document = *pane.document();
    const QString plain = singleLineFeeds(text);
    const QString written = groupedIntoParagraphs(plain);

    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    // Laid out while it grows, a big result costs several times what one layout pass
    // afterwards does; a null page size holds the layout back until the real one returns.
    const QSizeF pageSize = document.pageSize();
    document.setPageSize(QSizeF(0, 0));
    // Clearing puts the pane's own caret at 0, and text inserted at a caret moves it along,
    // so the caret ends up at the end without asking the pane to show it there: showing it
    // would lay out the whole result at once instead of in the background, screen by screen.
    document.clear();

    // Inserting runs already coloured is far cheaper than colouring afterwards: no
    // fragment has to be split, and the edit block lays the pane out once.
    const QTextCharFormat black = colourFormat(Qt::black);
    const QTextCharFormat red = colourFormat(Qt::red);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    qsizetype done = 0;
    for (const TextSpan& run : MarkerRuns(plain)) {
        if (run.start > done)
            cursor.insertText(written.mid(done, run.start - done), black);
        cursor.insertText(written.mid(run.start, run.length), red);
        done = run.start + run.length;
    }
    if (done < written.size())
        cursor.insertText(written.mid(done), black);
    cursor.endEditBlock();
    document.setPageSize(pageSize);
    document.setUndoRedoEnabled(undo);

    pane.setCurrentCharFormat(black);
}

qsizetype SubstituteField(QTextDocument& document, const QString& marker, const QString& valueText)
{
    const QString value = singleLineFeeds(valueText);
    const QString before = document.toPlainText();
    const QList<qsizetype> found = FindOccurrences(before, marker);
    if (found.isEmpty())
        return 0;

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // Back to front, so the positions still to be edited stay where they were found.
    for (qsizetype i = found.size() - 1; i >= 0; --i) {
        cursor.setPosition(int(found[i]));
        cursor.setPosition(int(found[i] + marker.size()), QTextCursor::KeepAnchor);
        QTextCharFormat format = cursor.charFormat();
        format.setForeground(QColor(Qt::black));
        cursor.insertText(value, format);
    }

    QList<TextSpan> edits;
    edits.reserve(found.size());
    const qsizetype growth = value.size() - marker.size();
    for (qsizetype i = 0; i < found.size(); ++i)
        edits.append({found[i] + i * growth, value.size()});
    const QString after = spliced(before, found, marker.size(), value);
    for (const TextSpan& part : MarkerNeighbourhoods(after, edits))
        paintRuns(cursor, part.start, part.start + part.length, MarkerRuns(after.mid(part.start, part.length)),
                  part.start);
    cursor.endEditBlock();
    return found.size();
}
