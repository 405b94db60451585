#include "Expansion.h"

#include "NumericText.h"
#include "TemplateParser.h"
#include "TextPlace.h"
#include "TokenDocument.h"
#include "TokenExpansion.h"
#include "TokenIndex.h"
#include "TokenPlacement.h"

#include <QList>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

using Outcome = ExpansionResult::Outcome;

ExpansionResult Result(Outcome outcome, const QString& text, const QString& message)
{
    ExpansionResult result;
    result.outcome = outcome;
    result.text = text;
    result.message = message;
    return result;
}

ExpansionResult Stop(const QString& reason)
{
    return Result(Outcome::Stopped, QString(), reason);
}

ExpansionResult Refuse(qint64 length, qsizetype maxLength)
{
    return Result(Outcome::TooLarge, QString(),
                  QStringLiteral("The result would be at least %1 characters long; Vellumatic expands "
                                 "at most %2 characters at once. Narrow the ranges and run again.")
                      .arg(length)
                      .arg(maxLength));
}

ExpansionResult Cancel()
{
    return Result(Outcome::Cancelled, QString(), QStringLiteral("the run was cancelled"));
}

bool IsLowerBound(const pugi::xpath_node& item)
{
    return QLatin1String(item.node().attribute("Id").value()) == QLatin1String("1");
}

// The group text keeps the bound as written after the prompt pass has replaced the
// Item's value.
QString GroupOf(const pugi::xpath_node& item)
{
    return TokenDocument::ValueOf(pugi::xpath_node(item.node().parent().parent()));
}

QString WrittenBound(const pugi::xpath_node& item)
{
    const QString group = GroupOf(item);
    return group.mid(1, group.size() - 2).split(u'|').value(IsLowerBound(item) ? 1 : 2);
}

// `the upper bound "n" of (a|1|n)`
QString NameBound(const pugi::xpath_node& item)
{
    return QStringLiteral("the %1 bound \"%2\" of %3")
        .arg(IsLowerBound(item) ? QStringLiteral("lower") : QStringLiteral("upper"), WrittenBound(item), GroupOf(item));
}

QString NotAWholeNumber(const pugi::xpath_node& item)
{
    const QString value = TokenDocument::ValueOf(item);
    if (value == WrittenBound(item))
        return NameBound(item) + QStringLiteral(" is not a whole number in the 32-bit range");
    return QStringLiteral("%1 is \"%2\", not a whole number in the 32-bit range").arg(NameBound(item), value);
}

qint32 ScanBounds(const BoundItems& items, bool smallest)
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

BoundItems ToItems(const pugi::xpath_node_set& nodes)
{
    return BoundItems(nodes.begin(), nodes.end());
}

// Reads one token's groups back through the index. Empty when a counter step would have
// to convert a bound that is not a whole number (or, when strict, any bound is not).
std::optional<TokenExpander> PrepareToken(const TokenItems& items, const ExpansionRequest& request, QString* failure)
{
    if (request.strict) {
        for (const BoundItems* list : {&items.lowers, &items.uppers}) {
            for (const pugi::xpath_node& item : *list) {
                if (!ToInteger(TokenDocument::ValueOf(item))) {
                    *failure = NotAWholeNumber(item);
                    return std::nullopt;
                }
            }
        }
    }
    const qint32 start = MinBound(items.lowers);
    const qint32 end = MaxBound(items.uppers);

    QList<ResolvedGroup> groups;
    const size_t groupCount = std::min({items.texts.size(), items.lowers.size(), items.uppers.size()});
    for (size_t j = 0; j < groupCount; ++j) {
        const std::optional<qint32> lo = ToInteger(TokenDocument::ValueOf(items.lowers[j]));
        const std::optional<qint32> hi = ToInteger(TokenDocument::ValueOf(items.uppers[j]));
        if (!lo || !hi) {
            // Only a counter step converts the bounds: with no step there is no error.
            if (start > end)
                return TokenExpander({}, start, end, request.compactStyle);
            *failure = NotAWholeNumber(lo ? items.uppers[j] : items.lowers[j]);
            return std::nullopt;
        }
        groups.append({TokenDocument::ValueOf(items.texts[j]), *lo, *hi});
    }
    return TokenExpander(groups, start, end, request.compactStyle);
}

ExpansionResult ParseFailure(const QString& templateText, const TemplateParser::Failure& failure)
{
    ExpansionResult result = Result(Outcome::ParseFailed, QString(), kParseFailedMessage);
    const TextPlace place = PlaceAt(templateText, failure.offset);
    result.errorLine = place.line;
    result.errorColumn = place.column;
    result.errorOffset = failure.offset;
    result.errorReason = failure.reason;
    return result;
}

// The token document's strings end at a NUL, which would cut the template short: a
// private-use character the template does not use stands in for NUL while it is read.
class NulStandIn
{
public:
    explicit NulStandIn(const QString& text)
    {
        if (!text.contains(QChar(0)))
            return;
        QSet<char16_t> used;
        for (QChar c : text)
            if (c.category() == QChar::Other_PrivateUse)
                used.insert(c.unicode());
        for (char16_t candidate = 0xE000; candidate <= 0xF8FF && !standIn_; ++candidate)
            if (!used.contains(candidate))
                standIn_ = QChar(candidate);
        exhausted_ = !standIn_;
    }

    // Every private-use character is taken: the template cannot be read.
    bool Exhausted() const { return exhausted_; }

    QString Hide(const QString& text) const { return standIn_ ? QString(text).replace(QChar(0), *standIn_) : text; }
    QString Restore(const QString& text) const { return standIn_ ? QString(text).replace(*standIn_, QChar(0)) : text; }
    QChar Restore(QChar c) const { return standIn_ && c == *standIn_ ? QChar(0) : c; }

private:
    std::optional<QChar> standIn_;
    bool exhausted_ = false;
};

const QString kNulExhausted = QStringLiteral("the template holds NUL characters and every private-use character");

ExpansionResult Generate(const QString& templateText, const ExpansionRequest& request, const NulStandIn& nul)
{
    QString parseText = nul.Hide(templateText);
    TokenDocument document;
    TemplateParser parser(document, parseText);
    if (!parser.ParseTemplate())
        return ParseFailure(templateText, parser.LastFailure());

    const BoundItems lowers = ToItems(document.SelectNodes(QStringLiteral("//Item[@Id='1']")));
    if (lowers.empty())
        return Result(Outcome::NoGroups, templateText, QString());
    const auto answerFor = [&](QChar standInName) {
        const QChar name = nul.Restore(standInName);
        std::optional<QString> answer = request.answers.Find(name);
        if (!answer && request.ask)
            answer = request.ask(PromptFor(name));
        return answer && !answer->isEmpty() ? *answer : QStringLiteral("1");
    };
    if (auto failure = ResolveBounds(lowers, answerFor))
        return Stop(*failure);
    if (auto failure = ResolveBounds(ToItems(document.SelectNodes(QStringLiteral("//Item[@Id='2']"))), answerFor))
        return Stop(*failure);

    const pugi::xpath_node_set tokens = document.SelectNodes(QStringLiteral("//Tokens/Token"));
    QStringList tokenTexts;
    tokenTexts.reserve(qsizetype(tokens.size()));
    for (const pugi::xpath_node& token : tokens)
        tokenTexts.append(TokenDocument::ValueOf(token));

    // Every token is prepared, placed or not: a bound that cannot be converted stops the
    // run wherever the token stands.
    const TokenIndex index(document);
    QList<std::optional<TokenExpander>> expanders(tokenTexts.size());
    for (qsizetype i = 0; i < tokenTexts.size(); ++i) {
        if (tokenTexts[i].isEmpty())
            continue; // a literal "["
        QString failure;
        const qint64 id = tokens[size_t(i)].node().attribute("Id").as_llong(-1);
        expanders[i] = PrepareToken(index.ItemsOf(id), request, &failure);
        if (!expanders[i])
            return Stop(failure);
    }

    // Size guard and line count, before anything is expanded.
    const QList<TokenPlacement> placements = PlaceTokens(parseText, tokenTexts);
    QSet<qsizetype> placedTokens;
    qint64 resultLength = parseText.size();
    qint64 linesTotal = 0;
    for (const TokenPlacement& at : placements) {
        resultLength += expanders[at.token]->ExpandedLength() - at.length;
        if (!placedTokens.contains(at.token)) {
            placedTokens.insert(at.token);
            linesTotal += expanders[at.token]->StepCount();
        }
    }
    if (resultLength > request.maxResultLength)
        return Refuse(resultLength, request.maxResultLength);
    if (request.progress && !request.progress(0, linesTotal))
        return Cancel();

    qint64 linesDone = 0;
    bool cancelled = false;
    const TokenExpander::StepReport report = [&](qint64 steps) {
        linesDone += steps;
        cancelled = !request.progress(linesDone, linesTotal);
        return !cancelled;
    };
    QList<std::optional<QString>> expansions(tokenTexts.size());
    for (const TokenPlacement& at : placements) {
        if (expansions[at.token])
            continue;
        expansions[at.token] = expanders[at.token]->Expand(request.maxResultLength,
                                                           request.progress ? report : TokenExpander::StepReport());
        if (cancelled)
            return Cancel();
        if (!expansions[at.token])
            return Refuse(request.maxResultLength + 1, request.maxResultLength);
    }

    // A template that is one group and nothing else is its expansion: no second buffer of
    // the result's size.
    if (placements.size() == 1 && placements.first().position == 0 && placements.first().length == parseText.size())
        return Result(Outcome::Expanded, nul.Restore(*std::move(expansions[placements.first().token])), QString());
    // One pass: an expansion put in place is never searched again.
    QString result;
    result.reserve(resultLength);
    qsizetype copied = 0;
    for (const TokenPlacement& at : placements) {
        result += QStringView(parseText).sliced(copied, at.position - copied);
        result += *expansions[at.token];
        copied = at.position + at.length;
        if (result.size() > request.maxResultLength)
            return Refuse(result.size(), request.maxResultLength);
    }
    result += QStringView(parseText).sliced(copied);
    if (result.size() > request.maxResultLength)
        return Refuse(result.size(), request.maxResultLength);
    return Result(Outcome::Expanded, nul.Restore(result), QString());
}

} // namespace

void BoundAnswers::Set(const QString& name, const QString& answer)
{
    byFoldedName_.insert(name.toCaseFolded(), answer);
}

std::optional<QString> BoundAnswers::Find(const QString& name) const
{
    const auto found = byFoldedName_.constFind(name.toCaseFolded());
    return found == byFoldedName_.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

QString PromptFor(QChar boundName)
{
    return QStringLiteral("Please Enter value for: ") + boundName + QStringLiteral(" (Default is 1)");
}

std::optional<QChar> NameOfBound(QStringView bound)
{
    if (bound.isEmpty() || IsNumeric(bound) || IsNumeric(bound.first(1)))
        return std::nullopt;
    if (bound.size() > 1 && bound[1] != u'+' && bound[1] != u'-')
        return std::nullopt; // not a bound the tokenizer accepts: left as written
    return bound[0];
}

std::optional<QString> ResolveBounds(const BoundItems& items, const std::function<QString(QChar name)>& answerFor)
{
    // The name table of this pass: names match without regard to letter case.
    QHash<char16_t, QString> answers;
    for (const pugi::xpath_node& item : items) {
        const QString value = TokenDocument::ValueOf(item);
        const std::optional<QChar> named = NameOfBound(value);
        if (!named)
            continue;
        const QChar name = *named;
        const char16_t key = name.toCaseFolded().unicode();
        auto known = answers.constFind(key);
        if (known == answers.constEnd())
            known = answers.insert(key, answerFor(name));
        const QString answer = *known;

        if (value.size() == 1) {
            TokenDocument::SetValueOf(item, answer);
            continue;
        }
        const std::optional<qint32> offset = ToInteger(value.sliced(2));
        const std::optional<qint32> number = ToInteger(answer);
        if (!number)
            return QStringLiteral("%1: the answer \"%2\" for %3 is not a whole number in the 32-bit range")
                .arg(NameBound(item), answer, name);
        if (!offset)
            return QStringLiteral("%1: the offset \"%2\" is not a whole number in the 32-bit range")
                .arg(NameBound(item), value.sliced(2));
        const qint64 resolved = value[1] == u'+' ? qint64(*number) + *offset : qint64(*number) - *offset;
        if (resolved < std::numeric_limits<qint32>::min() || resolved > std::numeric_limits<qint32>::max())
            return QStringLiteral("%1 with %2 = %3 is outside the 32-bit range").arg(NameBound(item), name, answer);
        TokenDocument::SetValueOf(item, QString::number(resolved));
    }
    return std::nullopt;
}

qint32 MinBound(const BoundItems& items)
{
    return ScanBounds(items, true);
}

qint32 MaxBound(const BoundItems& items)
{
    return ScanBounds(items, false);
}

ExpansionResult GenerateResult(const QString& templateText, const ExpansionRequest& request)
{
    const NulStandIn nul(templateText);
    if (nul.Exhausted())
        return Stop(kNulExhausted);
    ExpansionResult result = Generate(templateText, request, nul);
    result.message = nul.Restore(result.message);
    result.errorReason = nul.Restore(result.errorReason);
    return result;
}

ExpansionResult GenerateResult(const QString& templateText, bool compactStyle, const AskValue& ask,
                               qsizetype maxResultLength)
{
    ExpansionRequest request;
    request.compactStyle = compactStyle;
    request.ask = ask;
    request.maxResultLength = maxResultLength;
    return GenerateResult(templateText, request);
}

QStringList BoundNames(const QString& templateText)
{
    const NulStandIn nul(templateText);
    if (nul.Exhausted())
        return {};
    TokenDocument document;
    if (!TemplateParser(document, nul.Hide(templateText)).ParseTemplate())
        return {};
    QStringList names;
    QSet<char16_t> seen;
    for (const pugi::xpath_node& item : document.SelectNodes(QStringLiteral("//Item[@Id='1' or @Id='2']"))) {
        const std::optional<QChar> named = NameOfBound(TokenDocument::ValueOf(item));
        if (!named)
            continue;
        const QChar name = nul.Restore(*named);
        if (!seen.contains(name.toCaseFolded().unicode())) {
            seen.insert(name.toCaseFolded().unicode());
            names.append(QString(name));
        }
    }
    return names;
}
