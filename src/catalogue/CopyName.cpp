#include "CopyName.h"

QString CopyName(const QString& name, const QStringList& takenNames)
{
    for (int number = 2;; ++number) {
        const QString copy = name + QStringLiteral(" (%1)").arg(number);
        if (!takenNames.contains(copy, Qt::CaseInsensitive))
            return copy;
    }
}
