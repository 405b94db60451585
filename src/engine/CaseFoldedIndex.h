#pragma once

#include <QString>

#include <vector>

// Remembers texts without regard to letter case, for de-duplicating long lists such as
// a result's field markers. A flat open-addressing table: hashing a marker costs no
// allocation and a lookup is usually a single probe.
class CaseFoldedIndex
{
public:
    explicit CaseFoldedIndex(qsizetype expectedCount);

    // Adds `text` unless an equal text (letter case ignored) is already there; true when
    // it was added. The caller keeps the texts alive; the index refers to them.
    bool Insert(QStringView text);

private:
    void Grow();

    std::vector<QStringView> texts_;
    std::vector<quint64> hashes_;
    std::vector<qint32> slots_; // index into texts_, -1 when empty
    size_t mask_ = 0;
};

// The same hash for texts that compare equal ignoring letter case.
quint64 CaseFoldedHash(QStringView text);
