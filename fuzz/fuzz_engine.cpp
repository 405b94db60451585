// Feeds arbitrary templates through the tokenizer and the expansion and checks them
// against their literal forms: the prepared numbering, the linear field list, and (for
// strict runs, where every bound converts) the whole run against the literal
// placeholder passes. Also checks what a run reports about itself: the place of a parse
// failure, the names it asks for, its progress.
#include "Expansion.h"
#include "FieldNumbering.h"
#include "FuzzChecks.h"
#include "ReferenceRules.h"
#include "TextPlace.h"
#include "TextRules.h"

#include <QSet>
#include <QStringList>

#include <cstdlib>
#include <cstring>

namespace {

// The literal run marks tokens with private-use characters and keeps its strings in the
// token document, where a NUL ends them.
bool SuitsTheLiteralRun(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(),
                        [](QChar c) { return c.isNull() || c.category() == QChar::Other_PrivateUse; });
}

void CheckParseFailure(const QString& templateText, const ExpansionResult& result)
{
    Check(result.message == kParseFailedMessage && !result.errorReason.isEmpty());
    Check(result.errorOffset >= 0 && result.errorOffset <= templateText.size());
    const TextPlace place = PlaceAt(templateText, result.errorOffset);
    Check(place.line == result.errorLine && place.column == result.errorColumn);
    Check(BoundNames(templateText).isEmpty());
}

// The names asked for are those BoundNames lists (all of them once the prompts are past),
// and a run answered by name asks nothing.
void CheckBoundNames(const QString& templateText, const QStringList& askedNames, bool promptsPast, bool compact)
{
    const QStringList names = BoundNames(templateText);
    QSet<QString> folded;
    for (const QString& name : names)
        folded.insert(name.toCaseFolded());
    Check(folded.size() == names.size());
    QSet<QString> asked;
    for (const QString& name : askedNames)
        asked.insert(name.toCaseFolded());
    Check(folded.contains(asked) && (!promptsPast || asked == folded));

    ExpansionRequest request;
    request.compactStyle = compact;
    request.maxResultLength = 1 << 20;
    for (const QString& name : names)
        request.answers.Set(name, QStringLiteral("2"));
    request.ask = [](const QString&) -> std::optional<QString> {
        std::abort();
    };
    qint64 lastDone = -1;
    qint64 total = -1;
    request.progress = [&](qint64 done, qint64 linesTotal) {
        Check(done > lastDone || (done == 0 && lastDone == -1));
        Check(total == -1 || total == linesTotal);
        Check(done <= linesTotal);
        lastDone = done;
        total = linesTotal;
        return true;
    };
    const ExpansionResult result = GenerateResult(templateText, request);
    if (result.outcome == ExpansionResult::Outcome::Expanded)
        Check(lastDone == total);
}

// A lone surrogate (from damaged rich text) is just another character to a run: each one
// becomes a private-use character of its own, and back.
QString LoneSurrogatesAsPrivateUse(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar(char16_t(0xF000 + (text[i].unicode() - 0xD800)));
    }
    return text;
}

QString PrivateUseAsSurrogates(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() >= 0xF000 && c.unicode() <= 0xF7FF)
            c = QChar(char16_t(c.unicode() - 0xF000 + 0xD800));
    }
    return text;
}

void CheckLoneSurrogates(const QString& templateText, bool compact)
{
    const QString mapped = LoneSurrogatesAsPrivateUse(templateText);
    if (mapped == templateText || !SuitsTheLiteralRun(templateText))
        return;
    const AskValue two = [](const QString&) { return std::optional<QString>("2"); };
    const ExpansionResult damaged = GenerateResult(templateText, compact, two, 1 << 20);
    const ExpansionResult plain = GenerateResult(mapped, compact, two, 1 << 20);
    Check(damaged.outcome == plain.outcome && damaged.text == PrivateUseAsSurrogates(plain.text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const bool compact = data[0] & 1;
    const bool strictWithTwo = data[0] & 2;
    const int answerSeed = data[1];
    // Bit 2: the template as UTF-16 units, so it can hold lone surrogates.
    QString templateText = QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    if (data[0] & 4) {
        templateText = QString(qsizetype(size - 2) / 2, Qt::Uninitialized);
        std::memcpy(templateText.data(), data + 2, size_t(templateText.size()) * 2);
    }

    static const QStringList answers = {"", "3", "0", "-2", "x", "2147483647", "1e3", "12"};
    int asked = 0;
    QStringList askedNames;
    ExpansionRequest request;
    request.compactStyle = compact;
    request.strict = strictWithTwo;
    request.maxResultLength = 1 << 20;
    request.ask = [&](const QString& prompt) -> std::optional<QString> {
        askedNames.append(prompt.mid(QStringLiteral("Please Enter value for: ").size(), 1));
        if (strictWithTwo)
            return QStringLiteral("2");
        const int pick = (answerSeed + asked++) % (answers.size() + 1);
        if (pick == answers.size())
            return std::nullopt;
        return answers[pick];
    };
    qint64 steps = 0;
    request.progress = [&](qint64, qint64 linesTotal) {
        steps = linesTotal;
        return true;
    };
    const ExpansionResult result = GenerateResult(templateText, request);
    if (result.outcome == ExpansionResult::Outcome::NoGroups)
        Check(result.text == templateText);
    if (result.outcome == ExpansionResult::Outcome::ParseFailed)
        CheckParseFailure(templateText, result);
    else if (templateText.size() < 4000)
        CheckBoundNames(templateText, askedNames, result.outcome != ExpansionResult::Outcome::Stopped, compact);
    if (result.outcome == ExpansionResult::Outcome::Expanded && result.text.size() < 20000)
        Check(ListFields(result.text).toList() == reference::ListFieldsWithMirrors(result.text));
    if (strictWithTwo && result.outcome == ExpansionResult::Outcome::Expanded && SuitsTheLiteralRun(templateText)
        && templateText.size() < 4000 && steps < 20000)
        Check(reference::GenerateResult(templateText, compact, 2) == result.text);

    if (templateText.size() < 4000) {
        CheckLoneSurrogates(templateText, compact);
        Check(ListFields(templateText).toList() == reference::ListFieldsWithMirrors(templateText));
        const NumberedGroup group(templateText);
        for (const qint64 counter : {1LL, -5LL, 12345LL}) {
            const QString counterText = CounterText(counter);
            QString fast;
            group.AppendTo(fast, counterText);
            Check(fast == JoinLineBreaks(NumberFieldsWithText(templateText, counterText)));
        }
        ColourSpans(templateText, "[", "]");
    }
    return 0;
}
