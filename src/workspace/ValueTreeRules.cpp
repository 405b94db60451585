#include "ValueTreeRules.h"

QString ValueSummary(const QString& text, int children)
{
    return text + QStringLiteral(" contains ") + QString::number(children) + QStringLiteral(" objects");
}

QStringList SplitDropped(const QString& text, const QString& separator)
{
    if (text.isEmpty())
        return {};
    // Qt would split between every character on an empty separator.
    if (separator.isEmpty())
        return {text};
    return text.split(separator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
}
