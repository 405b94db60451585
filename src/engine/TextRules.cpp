#include "TextRules.h"

#include "CaseBlindCompare.h"
#include "CaseFoldedIndex.h"
#include "TextEdits.h"

#include <QSet>

#include <array>

namespace {

// True when every "$" that has a "!" after it starts a marker, i.e. no marker holds a
// second "$". Then blotting out one marker never changes any other, and the fields are
// simply the distinct markers in order.
bool MarkersAreSimple(const QString& text)
{
    bool dollarSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'!') {
            dollarSeen = false;
        } else if (text[i] == u'$') {
            if (dollarSeen)
                return text.indexOf(u'!', i) < 0;
            dollarSeen = true;
        }
    }
    return true;
}

QStringList ListFieldsByBlotting(const QString& text)
{
    QStringList fields;
    QString working = text;
    for (;;) {
        const QString field = FindField(working, QStringLiteral("$"), QStringLiteral("!"));
        if (field.isEmpty())
            return fields;
        fields.append(field);
        working = ReplaceAll(working, field, QStringLiteral("###"));
    }
}

} // namespace

QList<TextSpan> ColourSpans(const QString& text, const QString& opening, const QString& closing)
{
    QList<TextSpan> spans;
    if (opening.isEmpty() || closing.isEmpty())
        return spans;
    qsizetype from = 0;
    qsizetype close = -1;
    for (;;) {
        const qsizetype open = text.indexOf(opening, from, Qt::CaseInsensitive);
        if (open < 0)
            return spans;
        // The first closing after a later opening is the same one while it lies past it:
        // reusing it keeps long runs of openers linear.
        if (close < open + 1)
            close = text.indexOf(closing, open + 1, Qt::CaseInsensitive);
        if (close < 0)
            return spans;
        spans.append({open, close + closing.size() - open});
        from = open + 1;
    }
}

QString FindField(const QString& text, const QString& opening, const QString& closing)
{
    if (opening.isEmpty() || closing.isEmpty())
        return QString();
    const qsizetype open = text.indexOf(opening, 0, Qt::CaseInsensitive);
    if (open < 0)
        return QString();
    const qsizetype close = text.indexOf(closing, open, Qt::CaseInsensitive);
    if (close < 0)
        return QString();
    return text.mid(open, close + closing.size() - open);
}

TextPieces TextPieces::fromList(const QStringList& list)
{
    TextPieces pieces;
    pieces.spans.reserve(list.size());
    for (const QString& piece : list) {
        pieces.spans.append({pieces.text.size(), piece.size()});
        pieces.text += piece;
    }
    return pieces;
}

QStringList TextPieces::toList() const
{
    QStringList list;
    list.reserve(spans.size());
    for (qsizetype i = 0; i < spans.size(); ++i)
        list.append(at(i));
    return list;
}

namespace {

// The listed markers copied into a text of their own, a fraction of the result's size:
// sharing the result would make the first field filled in copy all of it. Spans from the
// text's size on lie in `mirrorFields`.
TextPieces OwnText(TextPieces pieces, QStringView mirrorFields)
{
    // Repeated markers leave room that a long list would keep for as long as it is shown.
    pieces.spans.squeeze();
    qsizetype size = 0;
    for (const TextSpan& span : pieces.spans)
        size += span.length;
    QString own;
    own.reserve(size);
    for (TextSpan& span : pieces.spans) {
        const qsizetype start = own.size();
        if (span.start < pieces.text.size())
            own += QStringView(pieces.text).sliced(span.start, span.length);
        else
            own += mirrorFields.sliced(span.start - pieces.text.size(), span.length);
        span.start = start;
    }
    pieces.text = std::move(own);
    return pieces;
}

// Every distinct field of a text in which no marker holds a second "$", as places in it;
// a field only its mirrors show is listed in a text of its own.
TextPieces ListSimpleMarkers(const QString& text, const FieldModifiers& modifiers)
{
    TextPieces fields{text, {}};
    QString mirrorFields;
    const qsizetype markerBound = text.count(u'!');
    fields.spans.reserve(markerBound);
    CaseFoldedIndex seen(markerBound);
    const std::function<QStringView(qsizetype)> listed = [&](qsizetype i) {
        const TextSpan& span = fields.spans[i];
        if (span.start < text.size())
            return QStringView(text).sliced(span.start, span.length);
        return QStringView(mirrorFields).sliced(span.start - text.size(), span.length);
    };
    // Markers wait a few places in `ahead` between hashing and inserting; a mirror's field
    // waits beside it in `mirrored`.
    constexpr qsizetype kAhead = 8;
    std::array<CaseFoldedIndex::HashedText, kAhead> ahead;
    std::array<QString, kAhead> mirrored;
    std::array<bool, kAhead> isMirror{};
    const auto list = [&](qsizetype slot) {
        const QStringView field = ahead[slot].text;
        if (!seen.Insert(ahead[slot], listed))
            return;
        if (!isMirror[slot]) {
            fields.spans.append({field.data() - text.constData(), field.size()});
        } else {
            fields.spans.append({text.size() + mirrorFields.size(), field.size()});
            mirrorFields += field;
        }
    };
    qsizetype hashed = 0;
    QStringView previous;
    for (qsizetype open = text.indexOf(u'$'), close; open >= 0 && (close = text.indexOf(u'!', open)) >= 0;
         open = text.indexOf(u'$', close + 1)) {
        const QStringView marker = QStringView(text).sliced(open, close - open + 1);
        // A marker repeating the one before it (a field used twice on a line) is known
        // without a trip through the index.
        if (marker == previous)
            continue;
        previous = marker;
        const qsizetype slot = hashed++ % kAhead;
        if (hashed > kAhead)
            list(slot);
        QStringView field = marker;
        isMirror[slot] = false;
        if (marker.contains(u':')) {
            if (const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(marker)) {
                QString& name = mirrored[slot];
                name.truncate(0); // keeps the room of the one before
                name.append(u'$').append(mirror->base).append(mirror->counter).append(u'!');
                field = name;
                isMirror[slot] = true;
            }
        }
        ahead[slot] = seen.Hashed(field);
    }
    for (qsizetype i = std::max<qsizetype>(hashed - kAhead, 0); i < hashed; ++i)
        list(i % kAhead);
    return OwnText(std::move(fields), mirrorFields);
}

// The fields of a list of markers: each mirror stands for its field, listed where the
// first of them stood.
QStringList FieldsOf(const QStringList& markers, const FieldModifiers& modifiers)
{
    QStringList fields;
    QSet<QString> seen;
    for (const QString& marker : markers) {
        const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(marker);
        const QString field = mirror ? mirror->fieldMarker() : marker;
        if (!seen.contains(field.toCaseFolded())) {
            seen.insert(field.toCaseFolded());
            fields.append(field);
        }
    }
    return fields;
}

} // namespace

TextPieces ListFields(const QString& text, const FieldModifiers& modifiers)
{
    if (!MarkersAreSimple(text))
        return TextPieces::fromList(FieldsOf(ListFieldsByBlotting(text), modifiers));
    return ListSimpleMarkers(text, modifiers);
}

QList<qsizetype> FindOccurrences(const QString& text, const QString& find)
{
    QList<qsizetype> positions;
    if (find.isEmpty())
        return positions;
    if (!IsAsciiWithoutCase(find[0])) {
        for (qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(find, at + find.size(), Qt::CaseInsensitive))
            positions.append(at);
        return positions;
    }
    // No character folds to an ASCII one without case (a marker's "$"), so every occurrence
    // starts with that very character: a plain search finds the candidates far faster than
    // a case-blind search of the whole text.
    const QStringView all(text);
    const qsizetype last = text.size() - find.size();
    for (qsizetype at = all.indexOf(find[0]); at >= 0 && at <= last; at = all.indexOf(find[0], at + 1)) {
        if (EqualIgnoringCase(all.sliced(at, find.size()), find)) {
            positions.append(at);
            at += find.size() - 1;
        }
    }
    return positions;
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement)
{
    QList<TextEdit> edits;
    for (const qsizetype at : FindOccurrences(text, find))
        edits.append({at, find.size(), replacement});
    QString result = text;
    ApplyTextEdits(result, edits);
    return result;
}
