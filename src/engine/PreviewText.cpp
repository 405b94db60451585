#include "PreviewText.h"

QString FirstLines(QString text, qsizetype lines)
{
    qsizetype end = -1;
    for (qsizetype kept = 0; kept < lines; ++kept) {
        end = text.indexOf(u'\n', end + 1);
        if (end < 0)
            return text;
    }
    // A break that only ends the last kept line leaves nothing out.
    if (end + 1 == text.size())
        return text;
    const qsizetype more = QStringView(text).sliced(end + 1).count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
    text.truncate(end + 1);
    text += QStringLiteral("\u2026 and %1 more %2").arg(more).arg(more == 1 ? QStringLiteral("line") : QStringLiteral("lines"));
    return text;
}

PreviewText ExpandForPreview(const QString& templateText, bool compactStyle, const BoundAnswers& answers,
                             const std::function<bool()>& stillWanted, qsizetype lines)
{
    ExpansionRequest request;
    request.compactStyle = compactStyle;
    request.answers = answers;
    if (stillWanted)
        request.progress = [&stillWanted](qint64, qint64) { return stillWanted(); };
    ExpansionResult expansion = GenerateResult(templateText, request);

    using Outcome = ExpansionResult::Outcome;
    PreviewText preview;
    switch (expansion.outcome) {
    case Outcome::Expanded:
        preview.text = FirstLines(std::move(expansion.text), lines);
        preview.markers = true;
        break;
    case Outcome::NoGroups:
        preview.text = FirstLines(templateText, lines);
        break;
    case Outcome::ParseFailed:
        preview.parseFailed = true;
        preview.reason = true;
        preview.errorOffset = expansion.errorOffset;
        preview.text = QStringLiteral("line %1, column %2: %3")
                           .arg(expansion.errorLine)
                           .arg(expansion.errorColumn)
                           .arg(expansion.errorReason.isEmpty() ? expansion.message : expansion.errorReason);
        return preview;
    case Outcome::Stopped:
    case Outcome::TooLarge:
        preview.text = expansion.message;
        preview.reason = true;
        break;
    case Outcome::Cancelled:
        return preview;
    }
    preview.boundNames = BoundNames(templateText);
    return preview;
}
