#include "Expansion.h"

#include "NumericText.h"
#include "TemplateParser.h"
#include "TextRules.h"
#include "TokenDocument.h"
#include "TokenExpansion.h"

#include <QList>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

const QString kPlaceholderPrefix = QStringLiteral("_$$$_003_$$$_");

ExpansionResult Stop(const QString& reason)
{
    return {ExpansionResult::Outcome::Stopped, QString(), reason};
}

ExpansionResult Refuse(qint64 length, qsizetype maxLength)
{
    return {ExpansionResult::Outcome::TooLarge, QString(),
            QStringLiteral("The result would be at least %1 characters long; Vellumatic expands "
                           "at most %2 characters at once. Narrow the ranges and run again.")
                .arg(length)
                .arg(maxLength)};
}

QString NotANumber(const QString& value)
{
    return QStringLiteral("the bound value \"%1\" is not a whole number in the 32-bit range")
        .arg(value);
}

qint32 ScanBounds(const pugi::xpath_node_set& items, bool smallest)
{
    qint32 current = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::optional<qint32> value = ToInteger(TokenDocument::ValueOf(items[i]));
        if (!value)
            break;
        if (i == 0 || (smallest ? *value < current : *value > current))
            current = *value;
    }
    return current;
}

// Where a token placeholder stands in the working text, and which token it is for.
struct PlaceholderAt
{
    qsizetype position;
    qsizetype length;
    qsizetype token;
};

// Whole placeholders only: "_$$$_003_$$$_1" followed by "0" belongs to token 10.
QList<PlaceholderAt> FindPlaceholders(const QString& text, qsizetype tokenCount)
{
    QList<PlaceholderAt> found;
    for (qsizetype at = text.indexOf(kPlaceholderPrefix); at >= 0;) {
        const qsizetype digitsStart = at + kPlaceholderPrefix.size();
        qsizetype digitsEnd = digitsStart;
        while (digitsEnd < text.size() && text[digitsEnd] >= u'0' && text[digitsEnd] <= u'9')
            ++digitsEnd;
        const QStringView digits = QStringView(text).sliced(digitsStart, digitsEnd - digitsStart);
        bool ok = false;
        const qsizetype token = digits.toLongLong(&ok);
        if (ok && token < tokenCount && digits == QString::number(token)) {
            found.append({at, digitsEnd - at, token});
            at = text.indexOf(kPlaceholderPrefix, digitsEnd);
        } else {
            at = text.indexOf(kPlaceholderPrefix, at + 1);
        }
    }
    return found;
}

QString TokenItemsQuery(const QString& tokenId, char itemId)
{
    return QStringLiteral("//Tokens/Token[@Id='") + tokenId
        + QStringLiteral("']/SubTokens/SubToken/Items/Item[@Id='") + QChar::fromLatin1(itemId)
        + QStringLiteral("']");
}

// Reads one token's groups back from the document. Empty when a counter step would have
// to convert a bound that is not a whole number.
std::optional<TokenExpander> PrepareToken(const TokenDocument& document, const QString& tokenId,
                                          bool compactStyle, QString* failure)
{
    const pugi::xpath_node_set texts = document.SelectNodes(TokenItemsQuery(tokenId, '0'));
    const pugi::xpath_node_set lowers = document.SelectNodes(TokenItemsQuery(tokenId, '1'));
    const pugi::xpath_node_set uppers = document.SelectNodes(TokenItemsQuery(tokenId, '2'));
    const qint32 start = MinBound(lowers);
    const qint32 end = MaxBound(uppers);

    QList<ResolvedGroup> groups;
    for (size_t j = 0; j < texts.size() && j < lowers.size() && j < uppers.size(); ++j) {
        const QString lower = TokenDocument::ValueOf(lowers[j]);
        const QString upper = TokenDocument::ValueOf(uppers[j]);
        const std::optional<qint32> lo = ToInteger(lower);
        const std::optional<qint32> hi = ToInteger(upper);
        if (!lo || !hi) {
            // Only a counter step converts the bounds: with no step there is no error.
            if (start > end)
                return TokenExpander({}, start, end, compactStyle);
            *failure = NotANumber(lo ? upper : lower);
            return std::nullopt;
        }
        groups.append({TokenDocument::ValueOf(texts[j]), *lo, *hi});
    }
    return TokenExpander(groups, start, end, compactStyle);
}

} // namespace

QString PromptFor(QChar boundName)
{
    return QStringLiteral("Please Enter value for: ") + boundName + QStringLiteral(" (Default is 1)");
}

QString TokenPlaceholder(qsizetype index)
{
    return kPlaceholderPrefix + QString::number(index);
}

std::optional<QString> ResolveBounds(const pugi::xpath_node_set& items, const AskValue& ask)
{
    // The name table of this pass: names match without regard to letter case.
    QList<std::pair<QChar, QString>> answers;
    for (const pugi::xpath_node& item : items) {
        const QString value = TokenDocument::ValueOf(item);
        if (value.isEmpty() || IsNumeric(value.first(1)))
            continue;
        const QChar name = value[0];
        const auto known = std::find_if(answers.cbegin(), answers.cend(), [&](const auto& entry) {
            return entry.first.toCaseFolded() == name.toCaseFolded();
        });
        QString answer;
        if (known != answers.cend()) {
            answer = known->second;
        } else {
            const std::optional<QString> given = ask(PromptFor(name));
            answer = given && !given->isEmpty() ? *given : QStringLiteral("1");
            answers.append({name, answer});
        }

        if (value.size() == 1) {
            TokenDocument::SetValueOf(item, answer);
            continue;
        }
        if (value[1] != u'+' && value[1] != u'-')
            continue;
        const std::optional<qint32> offset = ToInteger(value.sliced(2));
        const std::optional<qint32> number = ToInteger(answer);
        if (!offset || !number)
            return NotANumber(offset ? answer : value.sliced(2));
        const qint64 resolved = value[1] == u'+' ? qint64(*number) + *offset : qint64(*number) - *offset;
        if (resolved < std::numeric_limits<qint32>::min() || resolved > std::numeric_limits<qint32>::max())
            return QStringLiteral("the bound \"%1\" with %2 = %3 is outside the 32-bit range")
                .arg(value, name, answer);
        TokenDocument::SetValueOf(item, QString::number(resolved));
    }
    return std::nullopt;
}

qint32 MinBound(const pugi::xpath_node_set& items)
{
    return ScanBounds(items, true);
}

qint32 MaxBound(const pugi::xpath_node_set& items)
{
    return ScanBounds(items, false);
}

namespace {

ExpansionResult GenerateWithoutNul(const QString& templateText, bool compactStyle, const AskValue& ask,
                                   qsizetype maxResultLength)
{
    QString parseText = templateText;
    TokenDocument document;
    if (!TemplateParser(document, parseText).ParseTemplate())
        return {ExpansionResult::Outcome::ParseFailed, QString(), kParseFailedMessage};

    const pugi::xpath_node_set lowers = document.SelectNodes(QStringLiteral("//Item[@Id='1']"));
    if (lowers.empty())
        return {ExpansionResult::Outcome::NoGroups, templateText, QString()};
    if (auto failure = ResolveBounds(lowers, ask))
        return Stop(*failure);
    if (auto failure = ResolveBounds(document.SelectNodes(QStringLiteral("//Item[@Id='2']")), ask))
        return Stop(*failure);

    // Each token's text gives way to its placeholder; a literal "[" has no text and keeps
    // its place.
    const pugi::xpath_node_set tokens = document.SelectNodes(QStringLiteral("//Tokens/Token"));
    const qsizetype tokenCount = qsizetype(tokens.size());
    for (qsizetype i = 0; i < tokenCount; ++i) {
        const QString value = TokenDocument::ValueOf(tokens[i]);
        if (!value.isEmpty())
            parseText = ReplaceAll(parseText, value, TokenPlaceholder(i));
    }

    QList<std::optional<TokenExpander>> expanders(tokenCount);
    for (qsizetype i = 0; i < tokenCount; ++i) {
        if (TokenDocument::ValueOf(tokens[i]).isEmpty())
            continue;
        QString failure;
        const QString id = QString::fromUtf8(tokens[i].node().attribute("Id").value());
        expanders[i] = PrepareToken(document, id, compactStyle, &failure);
        if (!expanders[i])
            return Stop(failure);
    }

    // Size guard, before anything is expanded.
    const QList<PlaceholderAt> placeholders = FindPlaceholders(parseText, tokenCount);
    qint64 resultLength = parseText.size();
    for (const PlaceholderAt& at : placeholders) {
        if (expanders[at.token])
            resultLength += expanders[at.token]->ExpandedLength() - at.length;
    }
    if (resultLength > maxResultLength)
        return Refuse(resultLength, maxResultLength);

    QList<std::optional<QString>> expansions(tokenCount);
    for (const PlaceholderAt& at : placeholders) {
        if (!expanders[at.token] || expansions[at.token])
            continue;
        expansions[at.token] = expanders[at.token]->Expand(maxResultLength);
        if (!expansions[at.token])
            return Refuse(maxResultLength + 1, maxResultLength);
    }

    // One pass: an expansion put in place is never searched for placeholders again.
    QString result;
    result.reserve(resultLength);
    qsizetype copied = 0;
    for (const PlaceholderAt& at : placeholders) {
        if (!expansions[at.token])
            continue;
        result += QStringView(parseText).sliced(copied, at.position - copied);
        result += *expansions[at.token];
        copied = at.position + at.length;
        if (result.size() > maxResultLength)
            return Refuse(result.size(), maxResultLength);
    }
    result += QStringView(parseText).sliced(copied);
    if (result.size() > maxResultLength)
        return Refuse(result.size(), maxResultLength);
    return {ExpansionResult::Outcome::Expanded, result, QString()};
}

// A private-use character the text does not hold, to stand for its NUL characters.
std::optional<QChar> UnusedPrivateUseCharacter(const QString& text)
{
    QSet<char16_t> used;
    for (QChar c : text)
        if (c.category() == QChar::Other_PrivateUse)
            used.insert(c.unicode());
    for (char16_t candidate = 0xE000; candidate <= 0xF8FF; ++candidate)
        if (!used.contains(candidate))
            return QChar(candidate);
    return std::nullopt;
}

} // namespace

ExpansionResult GenerateResult(const QString& templateText, bool compactStyle, const AskValue& ask,
                               qsizetype maxResultLength)
{
    const QChar nul(0);
    if (!templateText.contains(nul))
        return GenerateWithoutNul(templateText, compactStyle, ask, maxResultLength);

    // The token document's strings end at a NUL, which would cut the template short: a
    // character the template does not use stands in for it while expanding.
    const std::optional<QChar> standIn = UnusedPrivateUseCharacter(templateText);
    if (!standIn)
        return {ExpansionResult::Outcome::Stopped, QString(),
                QStringLiteral("the template holds NUL characters and every private-use character")};
    const AskValue askWithNul = [&](const QString& prompt) { return ask(QString(prompt).replace(*standIn, nul)); };
    ExpansionResult result =
        GenerateWithoutNul(QString(templateText).replace(nul, *standIn), compactStyle, askWithNul, maxResultLength);
    result.text.replace(*standIn, nul);
    result.message.replace(*standIn, nul);
    return result;
}
