#include "NumericText.h"

#include <QString>

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A numeric text taken apart: the digits without the decimal point, and where the
// point stands among them once the exponent is applied.
struct DecimalParts
{
    bool negative = false;
    QString digits;
    qint64 pointPosition = 0; // digits before the decimal point
};

std::optional<DecimalParts> Decompose(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;

    DecimalParts parts;
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        parts.negative = text[i] == u'-';
        ++i;
    }
    bool seenPoint = false;
    for (; i < end; ++i) {
        if (IsDigit(text[i])) {
            parts.digits.append(text[i]);
        } else if (text[i] == u'.' && !seenPoint) {
            seenPoint = true;
            parts.pointPosition = parts.digits.size();
        } else {
            break;
        }
    }
    if (parts.digits.isEmpty())
        return std::nullopt;
    if (!seenPoint)
        parts.pointPosition = parts.digits.size();

    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        if (i == end || !IsDigit(text[i]))
            return std::nullopt;
        qint64 exponent = 0;
        for (; i < end && IsDigit(text[i]); ++i) {
            // Saturate: any exponent this large already puts the value out of range or at zero.
            exponent = std::min<qint64>(exponent * 10 + (text[i].unicode() - u'0'), 1'000'000'000);
        }
        parts.pointPosition += negativeExponent ? -exponent : exponent;
    }
    if (i != end)
        return std::nullopt;
    return parts;
}

} // namespace

bool IsNumeric(QStringView text)
{
    return Decompose(text).has_value();
}

std::optional<qint32> ToInteger(QStringView text)
{
    const auto parts = Decompose(text);
    if (!parts)
        return std::nullopt;
    const QString& digits = parts->digits;
    const qint64 size = digits.size();

    // Work from the first significant digit, so leading zeros and huge exponents cost nothing.
    qint64 lead = 0;
    while (lead < size && digits[lead] == u'0')
        ++lead;
    if (lead == size)
        return 0;
    const qint64 point = parts->pointPosition - lead; // significant digits before the point
    if (point > 10)
        return std::nullopt;

    qint64 magnitude = 0;
    for (qint64 i = 0; i < point; ++i)
        magnitude = magnitude * 10 + (lead + i < size ? digits[lead + i].unicode() - u'0' : 0);

    // Compare the fraction with one half digit by digit, so long texts round exactly.
    int versusHalf = -1; // -1 below, 0 exactly half, 1 above
    const qint64 firstFraction = lead + point;
    if (point >= 0 && firstFraction < size) {
        const int first = digits[firstFraction].unicode() - u'0';
        if (first > 5) {
            versusHalf = 1;
        } else if (first == 5) {
            versusHalf = 0;
            for (qint64 i = firstFraction + 1; i < size && versusHalf == 0; ++i) {
                if (digits[i] != u'0')
                    versusHalf = 1;
            }
        }
    }
    if (versusHalf > 0 || (versusHalf == 0 && magnitude % 2 == 1))
        ++magnitude;

    const qint64 value = parts->negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}
