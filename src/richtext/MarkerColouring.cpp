#include "MarkerColouring.h"

QList<TextSpan> MarkerRunsIn(const QString& text, qsizetype start, qsizetype length)
{
    QList<TextSpan> runs;
    const qsizetype end = std::min(start + length, text.size());
    if (start < 0 || start >= end)
        return runs;
    const QStringView all(text);
    // A marker is open at `start` when a "$" follows the last "!" before it.
    const qsizetype lastClose = start > 0 ? all.lastIndexOf(u'!', start - 1) : -1;
    bool open = all.mid(lastClose + 1, start - lastClose - 1).contains(u'$');
    qsizetype at = start;
    while (at < end) {
        if (open) {
            const qsizetype close = all.indexOf(u'!', at);
            if (close < 0)
                break; // no "!" anywhere after: nothing further is a marker
            const qsizetype runEnd = std::min(close + 1, end);
            if (!runs.isEmpty() && runs.last().start + runs.last().length == at)
                runs.last().length = runEnd - runs.last().start;
            else
                runs.append({at, runEnd - at});
            at = close + 1;
            open = false;
        } else {
            const qsizetype opening = all.mid(at, end - at).indexOf(u'$');
            if (opening < 0)
                break;
            at += opening;
            open = true;
        }
    }
    return runs;
}
