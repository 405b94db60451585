#include "BodyQuotes.h"

#include "FileItems.h"

#include <array>

namespace {

constexpr qsizetype kTokenSize = 13;
constexpr char16_t kToken[kTokenSize + 1] = u"_$$$_002_$$$_";
const QString kPartBreak = QStringLiteral("\"\"");

// Follows the reader through the stored text: it replaces each token it finds, leftmost first,
// and goes on after it. `matched` is how much of a token the text seen so far ends with.
class TokenFollower
{
public:
    // Takes one character; true when it completes a token.
    bool take(char16_t c)
    {
        while (matched_ > 0 && kToken[matched_] != c)
            matched_ = fallback()[matched_ - 1];
        if (kToken[matched_] == c)
            ++matched_;
        if (matched_ < kTokenSize)
            return false;
        matched_ = 0;
        return true;
    }
    // True when a token written now would be found starting before itself.
    bool tokenWouldOverlap() const
    {
        TokenFollower ahead = *this;
        for (qsizetype i = 0; i + 1 < kTokenSize; ++i) {
            if (ahead.take(kToken[i]))
                return true;
        }
        return false;
    }
    void restart() { matched_ = 0; }

private:
    // For each length matched, the longest proper prefix of the token that is also a suffix.
    static const std::array<qsizetype, kTokenSize>& fallback()
    {
        static const std::array<qsizetype, kTokenSize> table = [] {
            std::array<qsizetype, kTokenSize> t{};
            for (qsizetype i = 1, k = 0; i < kTokenSize; ++i) {
                while (k > 0 && kToken[i] != kToken[k])
                    k = t[k - 1];
                if (kToken[i] == kToken[k])
                    ++k;
                t[i] = k;
            }
            return t;
        }();
        return table;
    }

    qsizetype matched_ = 0;
};

QString& restoreQuotes(QString& text)
{
    return text.replace(BodyQuotes::quoteToken, QStringLiteral("\""));
}

} // namespace

namespace BodyQuotes {

Stored store(const QList<QStringView>& text)
{
    Stored stored;
    TokenFollower reader;
    for (const QStringView piece : text) {
        QString copy;
        bool copying = false;
        const auto change = [&](qsizetype at) {
            if (!copying) {
                copy = piece.first(at).toString();
                copying = true;
            }
        };
        for (qsizetype i = 0; i < piece.size(); ++i) {
            const char16_t c = piece[i].unicode();
            if (c == u'"') {
                change(i);
                if (reader.tokenWouldOverlap())
                    copy += kPartBreak;
                copy += quoteToken;
                reader.restart();
            } else if (reader.take(c)) {
                // The text itself holds a token: the reader must not see it whole.
                change(i);
                copy += kPartBreak;
                reader.restart();
                reader.take(c);
                copy += QChar(c);
            } else if (copying) {
                copy += QChar(c);
            }
        }
        if (copying) {
            stored.copies.append(std::move(copy));
            stored.pieces.append(stored.copies.last());
        } else {
            stored.pieces.append(piece);
        }
    }
    return stored;
}

QString read(QString content)
{
    struct Item
    {
        qsizetype start;
        qsizetype length;
        bool joinsNext;
    };
    QList<Item> items;
    forEachFileItem(content, [&](QStringView item) {
        const qsizetype start = item.data() - content.constData();
        if (!items.isEmpty()) {
            // A quoted item ends at its closing quote; a second quote right after it opens the next part.
            Item& previous = items.last();
            const qsizetype end = previous.start + previous.length;
            previous.joinsNext = end + 2 == start && content.at(end) == u'"' && content.at(end + 1) == u'"';
        }
        items.append({start, item.size(), false});
    });
    if (items.size() == 1) {
        // Nearly every body file is one quoted item: trimmed in place, a long one is not copied.
        content.truncate(items[0].start + items[0].length);
        content.remove(0, items[0].start);
        return restoreQuotes(content).append(u"\r\n");
    }
    QString body;
    body.reserve(content.size() + 2);
    for (const Item& item : items) {
        QString part = content.sliced(item.start, item.length);
        body.append(restoreQuotes(part));
        if (!item.joinsNext)
            body.append(u"\r\n");
    }
    return body;
}

} // namespace BodyQuotes
