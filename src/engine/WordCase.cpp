#include "WordCase.h"

#include <algorithm>
#include <utility>

namespace {

enum class Kind { Separator, Lower, Upper, Uncased, Digit, Mark };

Kind KindOf(char32_t c)
{
    if (QChar::isMark(c))
        return Kind::Mark;
    if (QChar::isDigit(c))
        return Kind::Digit;
    if (!QChar::isLetter(c))
        return Kind::Separator;
    if (QChar::isLower(c))
        return Kind::Lower;
    if (QChar::isUpper(c) || QChar::isTitleCase(c))
        return Kind::Upper;
    return Kind::Uncased;
}

// The first character upper-cased, the rest lower-cased.
QString Capitalized(const QString& word)
{
    const qsizetype first = word.front().isHighSurrogate() && word.size() > 1 ? 2 : 1;
    return word.first(first).toUpper() + word.sliced(first).toLower();
}

QString Joined(const QStringList& words, QStringView separator, QString (*write)(const QString&))
{
    QString joined;
    for (const QString& word : words) {
        if (!joined.isEmpty())
            joined += separator;
        joined += write(word);
    }
    return joined;
}

// The same for ASCII text in one pass, without a list of words: what filling thousands of
// rows spells most.
QString InAsciiWordCase(QStringView value, WordCase style)
{
    const auto kindOf = [](char16_t c) {
        if (c >= u'a' && c <= u'z')
            return Kind::Lower;
        if (c >= u'A' && c <= u'Z')
            return Kind::Upper;
        return c >= u'0' && c <= u'9' ? Kind::Digit : Kind::Separator;
    };
    const char16_t joiner = style == WordCase::Kebab ? u'-' : style == WordCase::Pascal || style == WordCase::Camel ? 0 : u'_';
    QString written;
    written.reserve(value.size() + 8);
    qsizetype words = 0;
    qsizetype inWord = 0; // characters of the current word written so far
    Kind previous = Kind::Separator;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        const Kind kind = kindOf(c);
        if (kind == Kind::Separator) {
            inWord = 0;
            previous = Kind::Separator;
            continue;
        }
        const bool beforeLower = i + 1 < value.size() && kindOf(value[i + 1].unicode()) == Kind::Lower;
        if (inWord > 0 && kind == Kind::Upper &&
            (previous == Kind::Lower || previous == Kind::Digit || (previous == Kind::Upper && beforeLower)))
            inWord = 0;
        if (inWord == 0 && words++ > 0 && joiner)
            written += QChar(joiner);
        const bool upper = style == WordCase::Constant || (inWord == 0 && style == WordCase::Pascal) ||
                           (inWord == 0 && style == WordCase::Camel && words > 1);
        const char16_t lower = kind == Kind::Upper ? char16_t(c + (u'a' - u'A')) : c;
        written += QChar(upper && kind == Kind::Lower ? char16_t(c - (u'a' - u'A')) : upper ? c : lower);
        ++inWord;
        previous = kind;
    }
    return written;
}

} // namespace

const QStringList& WordCaseNames()
{
    static const QStringList names = {"upper", "lower", "pascal", "camel", "snake", "kebab", "constant"};
    return names;
}

std::optional<WordCase> WordCaseNamed(QStringView name)
{
    const QStringList& names = WordCaseNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (name.compare(names[i], Qt::CaseInsensitive) == 0)
            return WordCase(i);
    return std::nullopt;
}

QStringList SplitIntoWords(QStringView value)
{
    const QList<uint> text = value.toUcs4();
    QStringList words;
    QString word;
    Kind previous = Kind::Separator; // of the last letter or digit, marks skipped
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const Kind kind = KindOf(c);
        if (kind == Kind::Separator) {
            if (!word.isEmpty())
                words.append(std::exchange(word, QString()));
            previous = Kind::Separator;
            continue;
        }
        if (kind == Kind::Mark) {
            // A mark belongs to the letter before it; with none it has nothing to join.
            if (!word.isEmpty())
                word += QChar::fromUcs4(c);
            continue;
        }
        if (kind == Kind::Upper && !word.isEmpty()) {
            qsizetype next = i + 1;
            while (next < text.size() && KindOf(text[next]) == Kind::Mark)
                ++next;
            const bool beforeLower = next < text.size() && KindOf(text[next]) == Kind::Lower;
            if (previous == Kind::Lower || previous == Kind::Digit || (previous == Kind::Upper && beforeLower))
                words.append(std::exchange(word, QString()));
        }
        word += QChar::fromUcs4(c);
        previous = kind;
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

QString InWordCase(const QString& value, WordCase style)
{
    switch (style) {
    case WordCase::Upper:
        return value.toUpper();
    case WordCase::Lower:
        return value.toLower();
    default:
        break;
    }
    if (std::all_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return InAsciiWordCase(value, style);
    const QStringList words = SplitIntoWords(value);
    const auto lower = [](const QString& word) { return word.toLower(); };
    const auto upper = [](const QString& word) { return word.toUpper(); };
    switch (style) {
    case WordCase::Pascal:
        return Joined(words, u"", Capitalized);
    case WordCase::Camel:
        return words.isEmpty() ? QString() : words.first().toLower() + Joined(words.sliced(1), u"", Capitalized);
    case WordCase::Snake:
        return Joined(words, u"_", lower);
    case WordCase::Kebab:
        return Joined(words, u"-", lower);
    case WordCase::Constant:
        return Joined(words, u"_", upper);
    default:
        return value;
    }
}
