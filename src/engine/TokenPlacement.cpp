#include "TokenPlacement.h"

#include "CaseFolding.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Polynomial hashing modulo 2^61 - 1 over case-folded UTF-16 code units.
constexpr quint64 kModulus = (quint64(1) << 61) - 1;
constexpr quint64 kBase = 1'000'003;

quint64 MultiplyMod(quint64 a, quint64 b)
{
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    const quint64 folded = quint64(product & kModulus) + quint64(product >> 61);
    return folded >= kModulus ? folded - kModulus : folded;
}

quint64 AddMod(quint64 a, quint64 b)
{
    const quint64 sum = a + b;
    return sum >= kModulus ? sum - kModulus : sum;
}

// Case folding keeps every code unit in place, so positions carry over to the folded
// text; should a future table break that, fold unit by unit instead.
QString FoldedKeepingPositions(const QString& text)
{
    QString folded = FoldCase(text);
    if (folded.size() == text.size())
        return folded;
    folded = text;
    for (QChar& c : folded)
        c = c.toCaseFolded();
    return folded;
}

class FoldedHashes
{
public:
    explicit FoldedHashes(const QString& folded) : prefix_(folded.size() + 1), power_(folded.size() + 1)
    {
        prefix_[0] = 0;
        power_[0] = 1;
        for (qsizetype i = 0; i < folded.size(); ++i) {
            prefix_[i + 1] = AddMod(MultiplyMod(prefix_[i], kBase), folded[i].unicode() + 1);
            power_[i + 1] = MultiplyMod(power_[i], kBase);
        }
    }

    quint64 Of(qsizetype position, qsizetype length) const
    {
        const quint64 head = MultiplyMod(prefix_[position], power_[length]);
        return AddMod(prefix_[position + length], kModulus - head);
    }

private:
    std::vector<quint64> prefix_;
    std::vector<quint64> power_;
};

// The extent a token starting at a "[(" would have, going by its brackets alone: each
// group runs to the first ")" after its second "|", and groups follow each other until
// a "]". Bounds are not checked: equal texts have equal brackets, so an occurrence of a
// token's text always has this extent.
class TokenExtents
{
public:
    explicit TokenExtents(const QString& text) : text_(text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'|')
                bars_.push_back(i);
            else if (text[i] == u')')
                closes_.push_back(i);
        }
        chainEnd_.assign(closes_.size(), kUnknown);
    }

    // The position of the closing "]", or -1. `open` is the position of the "(" after "[".
    qsizetype EndFrom(qsizetype open)
    {
        std::vector<size_t> visited;
        qsizetype end = -1;
        for (qsizetype group = open;;) {
            const qsizetype firstBar = After(bars_, group);
            const qsizetype secondBar = firstBar < 0 ? -1 : After(bars_, firstBar);
            const qsizetype close = secondBar < 0 ? -1 : After(closes_, secondBar);
            if (close < 0)
                break;
            const size_t closeIndex = size_t(std::lower_bound(closes_.begin(), closes_.end(), close) - closes_.begin());
            if (chainEnd_[closeIndex] != kUnknown) {
                end = chainEnd_[closeIndex];
                break;
            }
            visited.push_back(closeIndex);
            const qsizetype next = close + 1;
            if (next < text_.size() && text_[next] == u']') {
                end = next;
                break;
            }
            if (next >= text_.size() || text_[next] != u'(')
                break;
            group = next;
        }
        for (size_t closeIndex : visited)
            chainEnd_[closeIndex] = end;
        return end;
    }

private:
    static constexpr qsizetype kUnknown = -2;

    static qsizetype After(const std::vector<qsizetype>& positions, qsizetype position)
    {
        const auto found = std::upper_bound(positions.begin(), positions.end(), position);
        return found == positions.end() ? -1 : *found;
    }

    const QString& text_;
    std::vector<qsizetype> bars_;
    std::vector<qsizetype> closes_;
    std::vector<qsizetype> chainEnd_; // per ")": where the token chain from it ends
};

struct Occurrence
{
    qsizetype token;
    qsizetype position;
    qsizetype length;
};

} // namespace

QList<TokenPlacement> PlaceTokens(const QString& text, const QStringList& tokenTexts)
{
    // The first token with a given text (letter case ignored) takes all its occurrences;
    // later tokens with that text find none left.
    QHash<QString, qsizetype> ownerByText;
    QMultiHash<std::pair<qsizetype, quint64>, qsizetype> ownersByHash;
    for (qsizetype i = 0; i < tokenTexts.size(); ++i) {
        if (tokenTexts[i].isEmpty())
            continue;
        const QString folded = FoldedKeepingPositions(tokenTexts[i]);
        if (ownerByText.contains(folded))
            continue;
        ownerByText.insert(folded, i);
        ownersByHash.insert({folded.size(), FoldedHashes(folded).Of(0, folded.size())}, i);
    }
    if (ownerByText.isEmpty())
        return {};

    const QString foldedText = FoldedKeepingPositions(text);
    const FoldedHashes hashes(foldedText);
    TokenExtents extents(text);
    std::vector<Occurrence> occurrences;
    for (qsizetype at = text.indexOf(QLatin1String("[(")); at >= 0; at = text.indexOf(QLatin1String("[("), at + 1)) {
        const qsizetype end = extents.EndFrom(at + 1);
        if (end < 0)
            continue;
        const qsizetype length = end - at + 1;
        const QStringView candidate = QStringView(text).sliced(at, length);
        const auto [first, last] = ownersByHash.equal_range({length, hashes.Of(at, length)});
        for (auto owner = first; owner != last; ++owner) {
            if (candidate.compare(tokenTexts[*owner], Qt::CaseInsensitive) == 0) {
                occurrences.push_back({*owner, at, length});
                break;
            }
        }
    }

    std::stable_sort(occurrences.begin(), occurrences.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.token < b.token; });
    std::map<qsizetype, Occurrence> taken; // by start, never overlapping
    for (const Occurrence& occurrence : occurrences) {
        const qsizetype start = occurrence.position;
        const auto after = taken.lower_bound(start);
        if (after != taken.end() && after->first < start + occurrence.length)
            continue;
        if (after != taken.begin()) {
            const Occurrence& before = std::prev(after)->second;
            if (before.position + before.length > start)
                continue;
        }
        taken.emplace_hint(after, start, occurrence);
    }

    QList<TokenPlacement> placements;
    placements.reserve(qsizetype(taken.size()));
    for (const auto& [start, occurrence] : taken)
        placements.append({start, occurrence.length, occurrence.token});
    return placements;
}
