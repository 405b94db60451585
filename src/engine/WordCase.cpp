#include "WordCase.h"

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
