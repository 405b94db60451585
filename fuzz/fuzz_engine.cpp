// Feeds arbitrary templates through the tokenizer and the expansion and checks that
// the prepared numbering and the linear field list agree with their literal forms.
#include "Expansion.h"
#include "FieldNumbering.h"
#include "TextRules.h"

#include <QStringList>

#include <cstdlib>

namespace {

QStringList ListFieldsLiterally(const QString& text)
{
    QStringList fields;
    QString working = text;
    for (QString field = FindField(working, "$", "!"); !field.isEmpty();
         field = FindField(working, "$", "!")) {
        fields.append(field);
        working = ReplaceAll(working, field, "###");
    }
    return fields;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const bool compact = data[0] & 1;
    const int answerSeed = data[1];
    const QString templateText =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    static const QStringList answers = {"", "3", "0", "-2", "x", "2147483647", "1e3", "12"};
    int asked = 0;
    const AskValue ask = [&](const QString&) -> std::optional<QString> {
        const int pick = (answerSeed + asked++) % (answers.size() + 1);
        if (pick == answers.size())
            return std::nullopt;
        return answers[pick];
    };
    const ExpansionResult result = GenerateResult(templateText, compact, ask, 1 << 20);
    if (result.outcome == ExpansionResult::Outcome::NoGroups)
        Check(result.text == templateText);
    if (result.outcome == ExpansionResult::Outcome::Expanded && result.text.size() < 20000)
        Check(ListFields(result.text) == ListFieldsLiterally(result.text));

    if (templateText.size() < 4000) {
        Check(ListFields(templateText) == ListFieldsLiterally(templateText));
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
