#include "PaneColouring.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

namespace {

// A stretch [start, end) that should have one colour; stretches are sorted and disjoint.
struct ColourStretch
{
    qsizetype start;
    qsizetype end;
    QRgb colour;
};

std::optional<QRgb> ColourOf(const QTextCharFormat& format)
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return std::nullopt;
    return format.foreground().color().rgb();
}

// The parts of the stretches whose current colour differs, merged where they touch
// (a paragraph separator between two parts does not keep them apart).
QList<ColourStretch> Differences(const QTextDocument& document, const QList<ColourStretch>& wanted)
{
    QList<ColourStretch> changes;
    qsizetype next = 0;
    bool lastEndsBlock = false;
    auto add = [&](qsizetype start, qsizetype end, QRgb colour, bool endsBlock) {
        if (!changes.isEmpty()) {
            ColourStretch& last = changes.last();
            if (last.colour == colour && (last.end == start || (lastEndsBlock && last.end + 1 == start))) {
                last.end = end;
                lastEndsBlock = endsBlock;
                return;
            }
        }
        changes.append({start, end, colour});
        lastEndsBlock = endsBlock;
    };
    for (QTextBlock block = document.begin(); block.isValid() && next < wanted.size(); block = block.next()) {
        const qsizetype blockEnd = block.position() + block.length() - 1;
        if (wanted[next].start >= blockEnd)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const qsizetype fragmentStart = fragment.position();
            const qsizetype fragmentEnd = fragmentStart + fragment.length();
            const std::optional<QRgb> current = ColourOf(fragment.charFormat());
            while (next < wanted.size() && wanted[next].start < fragmentEnd) {
                const ColourStretch& stretch = wanted[next];
                const qsizetype start = qMax(stretch.start, fragmentStart);
                const qsizetype end = qMin(stretch.end, fragmentEnd);
                if (start < end && current != stretch.colour)
                    add(start, end, stretch.colour, end == blockEnd);
                if (stretch.end > fragmentEnd)
                    break; // the stretch goes on in the next fragment
                ++next;
            }
        }
    }
    return changes;
}

void Apply(QTextDocument& document, const QList<ColourStretch>& wanted)
{
    const QList<ColourStretch> changes = Differences(document, wanted);
    if (changes.isEmpty())
        return;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat format;
    for (const ColourStretch& change : changes) {
        format.setForeground(QColor::fromRgb(change.colour));
        cursor.setPosition(change.start);
        cursor.setPosition(change.end, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

void Paint(QByteArray& roles, const QList<TextSpan>& spans, char role)
{
    for (const TextSpan& span : spans) {
        const qsizetype start = qBound<qsizetype>(0, span.start, roles.size());
        const qsizetype end = qBound<qsizetype>(start, span.start + span.length, roles.size());
        std::fill(roles.begin() + start, roles.begin() + end, role);
    }
}

} // namespace

void RecolourTemplate(QTextDocument& document)
{
    const QString text = document.toPlainText();
    // One role per character: later colours paint over earlier ones.
    QByteArray roles(text.size(), 0);
    Paint(roles, ColourSpans(text, "[", "]"), 1);
    Paint(roles, ColourSpans(text, "$", "!"), 2);
    const QRgb colours[] = {kPlainColour.rgb(), kTokenColour.rgb(), kFieldColour.rgb()};

    QList<ColourStretch> wanted;
    for (qsizetype i = 0; i < roles.size();) {
        qsizetype end = i + 1;
        while (end < roles.size() && roles[end] == roles[i])
            ++end;
        wanted.append({i, end, colours[int(roles[i])]});
        i = end;
    }
    Apply(document, wanted);
}
