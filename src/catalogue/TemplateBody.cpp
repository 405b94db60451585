#include "TemplateBody.h"

TemplateBody SplitBody(QString body)
{
    const qsizetype first = body.indexOf(kPaneSeparator);
    if (first < 0)
        return {body, QString(), false};
    const qsizetype resultStart = first + kPaneSeparator.size();
    const qsizetype second = body.indexOf(kPaneSeparator, resultStart);
    QString templateRichText = body.left(first);
    // The result pane is most of a long body: cut down in place rather than copied.
    if (second >= 0)
        body.truncate(second);
    body.remove(0, resultStart);
    return {std::move(templateRichText), std::move(body), true};
}

QString JoinBody(const QString& templateRichText, const QString& resultRichText)
{
    QString body;
    for (const QStringView piece : BodyPieces(templateRichText, resultRichText))
        body += piece;
    return body;
}

QList<QStringView> BodyPieces(const QString& templateRichText, const QString& resultRichText)
{
    return {templateRichText, kPaneSeparator, resultRichText};
}

QString StoredBodyText(QString readBack)
{
    if (readBack.endsWith(QLatin1String("\r\n")))
        readBack.chop(2);
    return readBack;
}
