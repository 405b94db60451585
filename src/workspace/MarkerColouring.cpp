#include "MarkerColouring.h"

namespace {

const QString opening = QStringLiteral("$");
const QString closing = QStringLiteral("!");

// Appends `span`, merging it into the last run when they overlap or touch.
void appendMerged(QList<TextSpan>& runs, TextSpan span)
{
    if (!runs.isEmpty()) {
        TextSpan& last = runs.last();
        const qsizetype lastEnd = last.start + last.length;
        if (span.start <= lastEnd) {
            last.length = std::max(lastEnd, span.start + span.length) - last.start;
            return;
        }
    }
    runs.append(span);
}

} // namespace

QList<TextSpan> MarkerRuns(const QString& text)
{
    QList<TextSpan> runs;
    for (const TextSpan& span : ColourSpans(text, opening, closing))
        appendMerged(runs, span);
    return runs;
}

QList<TextSpan> MarkerNeighbourhoods(const QString& text, const QList<TextSpan>& edits)
{
    QList<TextSpan> parts;
    for (const TextSpan& edit : edits) {
        const qsizetype before = edit.start > 0 ? text.lastIndexOf(closing, edit.start - 1) : -1;
        const qsizetype after = text.indexOf(closing, edit.start + edit.length);
        const qsizetype start = before + 1;
        const qsizetype end = after >= 0 ? after + 1 : text.size();
        appendMerged(parts, {start, end - start});
    }
    return parts;
}
