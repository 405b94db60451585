#include "WholeNumber.h"

#include <cmath>
#include <limits>

std::optional<qint32> toWholeNumber(const QVariant& value, QString* failure)
{
    if (value.isNull())
        return 0;

    bool ok = false;
    double number = 0;
    if (value.typeId() == QMetaType::QString)
        number = value.toString().trimmed().toDouble(&ok);
    else if (value.canConvert<double>())
        number = value.toDouble(&ok);

    if (!ok || !std::isfinite(number)) {
        if (failure)
            *failure = QStringLiteral("Type mismatch: '%1' is not a number").arg(value.toString());
        return std::nullopt;
    }
    const double rounded = std::nearbyint(number); // the default rounding mode sends halves to even
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max()) {
        if (failure)
            *failure = QStringLiteral("Overflow: '%1' does not fit a 32-bit integer").arg(value.toString());
        return std::nullopt;
    }
    return static_cast<qint32>(rounded);
}
