#include "TemplateBody.h"

TemplateBody SplitBody(const QString& body)
{
    const qsizetype first = body.indexOf(kPaneSeparator);
    if (first < 0)
        return {body, QString(), false};
    const qsizetype resultStart = first + kPaneSeparator.size();
    const qsizetype second = body.indexOf(kPaneSeparator, resultStart);
    const qsizetype resultLength = second < 0 ? -1 : second - resultStart;
    return {body.left(first), body.mid(resultStart, resultLength), true};
}

QString JoinBody(const QString& templateRichText, const QString& resultRichText)
{
    return templateRichText + kPaneSeparator + resultRichText;
}

QString StoredBodyText(const QString& readBack)
{
    return readBack.endsWith(QLatin1String("\r\n")) ? readBack.chopped(2) : readBack;
}
