#include "FieldFill.h"

#include "CaseBlindCompare.h"
#include "CaseFolding.h"
#include "CharacterFinder.h"
#include "TextRules.h"

#include <QHash>

#include <algorithm>

namespace {

// Whether `marker` is a field marker a mirror can stand for: "$", a name without "$"
// or "!", "!".
bool CanBeMirrored(const QString& marker)
{
    if (marker.size() < 3 || marker.front() != u'$' || marker.back() != u'!')
        return false;
    const QStringView name = QStringView(marker).sliced(1, marker.size() - 2);
    return !name.contains(u'$') && !name.contains(u'!');
}

// A mirror's value is spelled once per modifier and kept for its other occurrences.
class Spellings
{
public:
    explicit Spellings(const FieldModifiers& modifiers) : modifiers_(modifiers) {}

    const QString& of(const QString& value, qsizetype modifier, QStringList& unmapped)
    {
        const auto key = std::make_pair(value, modifier);
        auto known = spelled_.constFind(key);
        if (known == spelled_.cend()) {
            const FieldModifiers::Spelling spelling = modifiers_.spell(value, modifier);
            if (spelling.unmapped && !unmapped.contains(value))
                unmapped.append(value);
            known = spelled_.insert(key, spelling.text);
        }
        return *known;
    }

private:
    const FieldModifiers& modifiers_;
    QHash<std::pair<QString, qsizetype>, QString> spelled_;
};

} // namespace

FieldFill FillEdits(const QString& text, const QString& marker, const QString& value, const FieldModifiers& modifiers)
{
    FieldFill fill;
    if (!CanBeMirrored(marker)) {
        for (const qsizetype at : FindOccurrences(text, marker))
            fill.edits.append({at, marker.size(), value});
        return fill;
    }
    // One pass over the "$"s finds the marker as FindOccurrences does, and its mirrors. A
    // mirror has a ":" where the name, or the name without part of the counter at its end,
    // ends; a look at the character past the stem rules out almost every other marker, and
    // the counter before its "!" the mirrors of the other repetitions.
    const QStringView name = QStringView(marker).sliced(1, marker.size() - 2);
    qsizetype shortestBase = name.size();
    while (shortestBase > 1 && IsCounterCharacter(name[shortestBase - 1]))
        --shortestBase;
    Spellings spellings(modifiers);
    const QStringView all(text);
    const qsizetype last = text.size() - marker.size();
    // Past the stem the marker and its mirrors hold counter characters, "!" or ":", none
    // with letter case: one plain comparison there rules out most markers of other fields.
    const qsizetype pastStem = 1 + shortestBase;
    const char16_t markerPastStem = marker[pastStem].unicode();
    CharacterFinder dollars(all, u'$');
    for (qsizetype at = dollars.next(0); at >= 0 && at <= last; at = dollars.next(at + 1)) {
        const char16_t c = all[at + pastStem].unicode();
        if (c != markerPastStem && c != u':')
            continue;
        if (EqualIgnoringCase(all.sliced(at, marker.size()), marker)) {
            fill.edits.append({at, marker.size(), value});
            at += marker.size() - 1;
            continue;
        }
        // Up to the ":" a mirror's name is the field's own name, so the ":" is the first
        // character past the counter-free stem that differs from it.
        qsizetype base = shortestBase;
        while (base < name.size() && at + 1 + base < all.size() && all[at + 1 + base] == name[base])
            ++base;
        if (at + 1 + base >= all.size() || all[at + 1 + base] != u':')
            continue;
        // The "!" comes after a modifier and the rest of the counter.
        const qsizetype colon = at + 1 + base;
        const qsizetype reach = std::min(all.size(), colon + 2 + modifiers.longestName() + name.size() - base);
        qsizetype close = colon + 1;
        while (close < reach && all[close] != u'!')
            ++close;
        if (close == reach)
            continue;
        // The counter part holds digits and "-" only: a plain comparison.
        const QStringView counter = name.sliced(base);
        if (close - colon - 1 <= counter.size() ||
            !std::equal(counter.cbegin(), counter.cend(), all.cbegin() + (close - counter.size())))
            continue;
        const QStringView candidate = all.sliced(at, close + 1 - at);
        const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(candidate);
        if (!mirror || !mirror->mirrors(marker))
            continue;
        fill.edits.append({at, candidate.size(), spellings.of(value, mirror->modifier, fill.unmapped)});
        at = close;
    }
    return fill;
}

FieldFill FillEdits(const QString& text, const QList<std::pair<QString, QString>>& fills,
                    const FieldModifiers& modifiers)
{
    // One field is found far faster by the search made for it alone.
    if (fills.size() == 1)
        return FillEdits(text, fills.front().first, fills.front().second, modifiers);
    QHash<QString, QString> values;
    qsizetype longest = 0;
    for (const auto& [marker, value] : fills) {
        values.insert(FoldCase(marker), value);
        longest = std::max(longest, marker.size());
    }
    Spellings spellings(modifiers);
    // A field marker runs from a "$" to the first "!" after it, so every occurrence of one
    // starts at some "$" and ends at the next "!": one pass finds them all.
    FieldFill fill;
    const QStringView all(text);
    qsizetype close = -1;
    CharacterFinder dollars(all, u'$');
    CharacterFinder bangs(all, u'!');
    for (qsizetype open = dollars.next(0); open >= 0; open = dollars.next(open + 1)) {
        if (close <= open && (close = bangs.next(open + 1)) < 0)
            break;
        const QStringView marker = all.sliced(open, close + 1 - open);
        if (marker.size() <= longest) {
            const auto value = values.constFind(FoldCase(marker.toString()));
            if (value != values.cend()) {
                fill.edits.append({open, marker.size(), *value});
                open = close; // occurrences do not overlap
                continue;
            }
        }
        if (!marker.contains(u':'))
            continue;
        const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(marker);
        if (!mirror)
            continue;
        const auto value = values.constFind(FoldCase(mirror->fieldMarker()));
        if (value == values.cend())
            continue;
        fill.edits.append({open, marker.size(), spellings.of(*value, mirror->modifier, fill.unmapped)});
        open = close;
    }
    return fill;
}
