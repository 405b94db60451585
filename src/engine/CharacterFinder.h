#pragma once

#include <QStringView>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Finds one character again and again in a long text. A search through QStringView::indexOf
// costs a call and a set-up for every find, more than the search itself where the character
// comes every few dozen characters (the "$" of each marker in a million-line result); this
// one compares eight characters at a time and keeps what it found of the last eight.
class CharacterFinder
{
public:
    CharacterFinder(QStringView text, char16_t wanted)
        : data_(text.utf16()), size_(text.size()), wanted_(wanted)
    {
    }

    // The first position at or after `from` that holds the character, -1 when none does.
    qsizetype next(qsizetype from)
    {
        if (from < 0 || from >= size_)
            return -1;
        qsizetype block = from & ~qsizetype(7);
        unsigned mask = block == block_ ? mask_ : matches(block);
        mask &= ~0u << ((from - block) * 2);
        while (mask == 0) {
            block += 8;
            if (block >= size_)
                return -1;
            mask = matches(block);
        }
        block_ = block;
        mask_ = mask;
        return block + __builtin_ctz(mask) / 2;
    }

private:
    // Two bits for each of the eight characters from `block` that is the wanted one.
    unsigned matches(qsizetype block) const
    {
#if defined(__SSE2__)
        if (block + 8 <= size_) {
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data_ + block));
            return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(eight, _mm_set1_epi16(short(wanted_)))));
        }
#endif
        unsigned mask = 0;
        for (qsizetype i = block; i < block + 8 && i < size_; ++i)
            if (data_[i] == wanted_)
                mask |= 3u << ((i - block) * 2);
        return mask;
    }

    const char16_t* data_;
    qsizetype size_;
    char16_t wanted_;
    qsizetype block_ = -1;
    unsigned mask_ = 0;
};
