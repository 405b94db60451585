#include "ResultDocument.h"

#include "FieldFill.h"
#include "FillRows.h"
#include "LineGrouping.h"
#include "MarkerColouring.h"
#include "ResultRtf.h"
#include "ResultRtfReader.h"
#include "RtfReader.h"

#include <QPlainTextDocumentLayout>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Every CR LF, CR, paragraph end and line separator as one '\n', as the document holds them.
QString singleLineFeeds(QString text)
{
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    // Read first: writing would copy a text that is usually fine as it is.
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c != u'\n' && isLineBreak(c); }))
        for (QChar& c : text)
            if (isLineBreak(c))
                c = u'\n';
    return text;
}

// The document takes a line break as a line or paragraph separator (LineGrouping). The text
// is lent to it that way for a moment, rather than a copy of the whole result being made.
void groupIntoParagraphs(QString& text)
{
    qsizetype line = 0;
    for (QChar& c : text)
        if (c == u'\n')
            c = LineBreakAfter(++line);
}

void ungroup(QString& text)
{
    for (QChar& c : text)
        if (isLineBreak(c))
            c = u'\n';
}

// Room to spare after the text whenever it moves: growing a big copy moves all of it, and
// with room to spare typing never waits for that.
qsizetype typingRoom(qsizetype size)
{
    return size / 8 + 4096;
}

// Whether one replacement of the stretch from the first edit to the end of the last costs
// less than making the edits one by one.
bool editsAreDense(qsizetype edits, qsizetype stretch)
{
    constexpr qsizetype charactersPerEdit = 512;
    return edits > 1 && stretch <= edits * charactersPerEdit;
}

} // namespace

// Rides along in a fill's undo step, so undo and redo can tell the fields list which
// markers came back or went again.
class ResultDocument::FillStep : public QAbstractUndoItem
{
public:
    FillStep(ResultDocument& document, QStringList markers) : document_(document), markers_(std::move(markers)) {}
    void undo() override { document_.fillTakenBack_.emplace(markers_, true); }
    void redo() override { document_.fillTakenBack_.emplace(markers_, false); }

private:
    ResultDocument& document_;
    QStringList markers_;
};

ResultDocument::ResultDocument(QObject* parent)
    : QTextDocument(parent)
{
    setDocumentLayout(new QPlainTextDocumentLayout(this));
    connect(this, &QTextDocument::contentsChange, this, &ResultDocument::followChange);
}

void ResultDocument::followChange(int position, int removed, int)
{
    ++generation_;
    loadedRichText_.clear();
    if (ownEdit_)
        return;
    // A change of the whole document also counts the paragraph end no text holds.
    const qsizetype size = characterCount() - 1;
    const qsizetype at = std::min<qsizetype>(position, text_.size());
    const qsizetype gone = std::min<qsizetype>(removed, text_.size() - at);
    const qsizetype come = std::clamp<qsizetype>(size - (text_.size() - gone), 0, size - at);
    QTextCursor cursor(this);
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + come), QTextCursor::KeepAnchor);
    const QString inserted = singleLineFeeds(cursor.selectedText());
    keepRoomFor(inserted.size() - gone);
    text_.replace(at, gone, inserted);
    if (fillTakenBack_) {
        const auto [markers, undone] = *std::exchange(fillTakenBack_, std::nullopt);
        if (undone)
            emit fillUndone(markers);
        else
            emit fillRedone(markers);
    }
}

void ResultDocument::keepRoomFor(qsizetype growth)
{
    // A shared text is copied once, with room.
    if (!text_.isDetached() || text_.capacity() - text_.size() < growth)
        text_.reserve(text_.size() + growth + typingRoom(text_.size()));
}

void ResultDocument::replaceContent(QString text, Markers markers)
{
    // Room for typing is made at the first edit that needs it: a result nobody edits is
    // never copied.
    text_ = singleLineFeeds(std::move(text));
    markers_ = markers;
    const bool undo = isUndoRedoEnabled();
    setUndoRedoEnabled(false);
    ownEdit_ = true;
    clear();
    QTextCursor cursor(this);
    groupIntoParagraphs(text_);
    cursor.insertText(text_);
    ungroup(text_);
    ownEdit_ = false;
    setUndoRedoEnabled(undo);
    setModified(false);
}

void ResultDocument::setResult(QString text, Markers markers)
{
    replaceContent(std::move(text), markers);
}

void ResultDocument::setRichText(const QString& richText)
{
    if (std::optional<ResultRtfText> own = ReadResultRtf(richText)) {
        replaceContent(std::move(own->text), own->coloured ? Markers::Red : Markers::Plain);
        loadedRichText_ = richText;
        return;
    }
    QString text;
    Markers markers = Markers::Plain;
    for (const RichTextRun& run : ReadRichTextRuns(richText, defaultFont().pointSizeF())) {
        text += run.text;
        if (run.format.hasProperty(QTextFormat::ForegroundBrush))
            markers = Markers::Red;
    }
    replaceContent(std::move(text), markers);
    loadedRichText_ = richText;
}

QString ResultDocument::richText() const
{
    if (!loadedRichText_.isNull())
        return loadedRichText_;
    return ResultPaneRtf(text_, markers_ == Markers::Red, defaultFont());
}

QList<TextSpan> ResultDocument::markerRunsIn(qsizetype start, qsizetype length) const
{
    if (markers_ == Markers::Plain)
        return {};
    return MarkerRunsIn(text_, start, length);
}

std::unique_ptr<QTextDocument> ResultDocument::colouredCopy() const
{
    std::unique_ptr<QTextDocument> copy(clone());
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    QTextCursor cursor(copy.get());
    for (const TextSpan& run : markerRunsIn(0, text_.size())) {
        cursor.setPosition(int(run.start));
        cursor.setPosition(int(run.start + run.length), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(red);
    }
    return copy;
}

qsizetype ResultDocument::substitute(const QString& marker, const QString& value)
{
    const FieldFill fill = FillEdits(text_, marker, singleLineFeeds(value), modifiers_);
    applyFill(fill, {marker});
    return fill.edits.size();
}

qsizetype ResultDocument::fillFields(const QList<std::pair<QString, QString>>& fills)
{
    QStringList markers;
    QList<std::pair<QString, QString>> written;
    written.reserve(fills.size());
    for (const auto& [marker, value] : fills) {
        markers.append(marker);
        written.append({marker, singleLineFeeds(value)});
    }
    const FieldFill fill = FillEdits(text_, written, modifiers_);
    applyFill(fill, markers);
    return fill.edits.size();
}

qsizetype ResultDocument::fillRows(const QStringList& fieldNames, const QList<qsizetype>& columns, TableRows table)
{
    for (QStringList& row : table.rows)
        for (QString& value : row)
            value = singleLineFeeds(std::move(value));
    const RowFill fill = FillRows(text_, fieldNames, columns, table, modifiers_);
    QStringList markers;
    markers.reserve(fill.fills.size());
    for (const auto& [marker, value] : fill.fills)
        markers.append(marker);
    applyFill(fill.edits, markers);
    return fill.edits.edits.size();
}

void ResultDocument::applyFill(const FieldFill& fill, const QStringList& markers)
{
    applyEdits(fill.edits, markers);
    emit typesUnmapped(fill.unmapped);
}

void ResultDocument::applyEdits(const QList<TextEdit>& edits, const QStringList& markers)
{
    if (edits.isEmpty())
        return;
    ApplyTextEdits(text_, edits, typingRoom(text_.size()));

    ownEdit_ = true;
    QTextCursor cursor(this);
    cursor.beginEditBlock();
    const qsizetype spanStart = edits.front().start;
    const qsizetype spanEnd = edits.back().start + edits.back().length;
    if (editsAreDense(edits.size(), spanEnd - spanStart)) {
        // One replacement of the stretch they cover: the document pays for each edit far
        // more than for the characters between them.
        qsizetype growth = 0;
        for (const TextEdit& edit : edits)
            growth += edit.value.size() - edit.length;
        QString stretch = text_.mid(spanStart, spanEnd - spanStart + growth);
        groupIntoParagraphs(stretch);
        cursor.setPosition(int(spanStart));
        cursor.setPosition(int(spanEnd), QTextCursor::KeepAnchor);
        cursor.insertText(stretch);
    } else {
        // Back to front, so the places still to come stay where they were found.
        for (auto edit = edits.crbegin(); edit != edits.crend(); ++edit) {
            cursor.setPosition(int(edit->start));
            cursor.setPosition(int(edit->start + edit->length), QTextCursor::KeepAnchor);
            cursor.insertText(edit->value);
        }
    }
    appendUndoItem(new FillStep(*this, markers));
    cursor.endEditBlock();
    ownEdit_ = false;
}
