#include "BoundAnswerRules.h"

#include "NumericText.h"

#include <QRegularExpression>

namespace {

// Names may be any character, "/" included, which a settings key cannot hold as it is.
QString answerKey(const QString& templateKey, const QString& name)
{
    return QStringLiteral("BoundAnswers/%1/%2")
        .arg(QString::fromLatin1(templateKey.toUtf8().toHex()), QString::fromLatin1(name.toLower().toUtf8().toHex()));
}

} // namespace

std::optional<QString> WholeNumberProblem(const QString& answer)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (answer.trimmed().isEmpty())
        return QStringLiteral("Enter a whole number");
    if (!whole.match(answer).hasMatch())
        return QStringLiteral("Not a whole number");
    if (!ToInteger(answer))
        return QStringLiteral("Out of range (%1 to %2)").arg(INT32_MIN).arg(INT32_MAX);
    return std::nullopt;
}

std::optional<QString> StoredAnswer(QSettings& settings, const QString& templateKey, const QString& name)
{
    const QString stored = settings.value(answerKey(templateKey, name)).toString();
    if (WholeNumberProblem(stored))
        return std::nullopt;
    return stored;
}

QStringList RememberedAnswers(QSettings& settings, const QString& templateKey, const QStringList& names)
{
    QStringList answers;
    for (const QString& name : names)
        answers << StoredAnswer(settings, templateKey, name).value_or(QStringLiteral("1"));
    return answers;
}

void RememberAnswers(QSettings& settings, const QString& templateKey, const QStringList& names,
                     const QStringList& answers)
{
    for (qsizetype i = 0; i < names.size() && i < answers.size(); ++i)
        settings.setValue(answerKey(templateKey, names[i]), answers[i].trimmed());
}
