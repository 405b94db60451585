#include "CaseFoldedIndex.h"

#include "CaseFolding.h"

#include <bit>

namespace {

constexpr quint64 kFnvOffset = 14695981039346656037ULL;
constexpr quint64 kFnvPrime = 1099511628211ULL;

// FNV leaves the low bits, which pick the slot, poorly mixed for texts that differ only
// in their last digits; a final avalanche spreads them.
quint64 Mix(quint64 hash)
{
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    return hash ^ (hash >> 33);
}

} // namespace

quint64 CaseFoldedHash(QStringView text)
{
    quint64 hash = kFnvOffset;
    for (const QChar c : text) {
        char16_t unit = c.unicode();
        if (unit >= 0x80) {
            // Some non-ASCII letters fold to ASCII ones (the Kelvin sign to "k"), so
            // anything beyond ASCII goes through the full folding.
            hash = kFnvOffset;
            for (const QChar folded : FoldCase(text.toString()))
                hash = (hash ^ folded.unicode()) * kFnvPrime;
            return Mix(hash);
        }
        if (unit >= u'A' && unit <= u'Z')
            unit += u'a' - u'A';
        hash = (hash ^ unit) * kFnvPrime;
    }
    return Mix(hash);
}

CaseFoldedIndex::CaseFoldedIndex(qsizetype capacity)
{
    // At most half full, so a probe rarely goes past its first slot.
    const size_t size = std::bit_ceil(size_t(std::max<qsizetype>(capacity, 8)) * 2);
    slots_.resize(size);
    mask_ = size - 1;
}

CaseFoldedIndex::HashedText CaseFoldedIndex::Hashed(QStringView text) const
{
    const quint64 hash = CaseFoldedHash(text);
    __builtin_prefetch(&slots_[size_t(hash) & mask_]);
    return {text, hash};
}

bool CaseFoldedIndex::Insert(const HashedText& hashed, const std::function<QStringView(qsizetype)>& added)
{
    const QStringView text = hashed.text;
    const quint32 hashHigh = quint32(hashed.hash >> 32);
    size_t slot = size_t(hashed.hash) & mask_;
    for (; slots_[slot].text >= 0; slot = (slot + 1) & mask_) {
        if (slots_[slot].hashHigh != hashHigh)
            continue;
        const QStringView other = added(slots_[slot].text);
        if (other == text || other.compare(text, Qt::CaseInsensitive) == 0)
            return false;
    }
    Q_ASSERT(size_t(count_) * 2 < slots_.size());
    slots_[slot] = {count_++, hashHigh};
    return true;
}
