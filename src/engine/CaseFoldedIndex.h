#pragma once

#include <QString>

#include <functional>
#include <vector>

// Remembers texts without regard to letter case, for de-duplicating long lists such as
// a result's field markers. A flat open-addressing table: hashing a marker costs no
// allocation and a lookup is usually a single probe.
class CaseFoldedIndex
{
public:
    // Room for at most `capacity` texts: callers know a bound (a marker per "!").
    explicit CaseFoldedIndex(qsizetype capacity);

    struct HashedText
    {
        QStringView text;
        quint64 hash = 0;
    };
    // Hashes `text` and starts fetching the slot it will probe. A table for a million
    // markers is far larger than the cache: hashing a few texts ahead of inserting them
    // lets the misses overlap.
    HashedText Hashed(QStringView text) const;

    // Adds the text unless an equal text (letter case ignored) is already there; true when
    // it was added. Added texts are numbered from 0 and kept by the caller, not copied:
    // `added(i)` gives back text i.
    bool Insert(const HashedText& text, const std::function<QStringView(qsizetype)>& added);

private:
    // The hash's high half rides along with the text's number, so a probe costs one cache
    // miss: with a million markers the table is far larger than the cache.
    struct Slot
    {
        qint32 text = -1; // number of an added text, -1 when empty
        quint32 hashHigh = 0;
    };

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    qint32 count_ = 0;
};

// The same hash for texts that compare equal ignoring letter case.
quint64 CaseFoldedHash(QStringView text);
