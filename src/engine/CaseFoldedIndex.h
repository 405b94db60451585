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
    explicit CaseFoldedIndex(qsizetype expectedCount);

    // Adds `text` unless an equal text (letter case ignored) is already there; true when
    // it was added. Added texts are numbered from 0 and kept by the caller, not copied:
    // `added(i)` gives back text i.
    bool Insert(QStringView text, const std::function<QStringView(qsizetype)>& added);

private:
    void Grow();

    std::vector<quint64> hashes_; // of each added text
    std::vector<qint32> slots_; // number of an added text, -1 when empty
    size_t mask_ = 0;
};

// The same hash for texts that compare equal ignoring letter case.
quint64 CaseFoldedHash(QStringView text);
