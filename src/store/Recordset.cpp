#include "Recordset.h"

#include "FailureReporter.h"
#include "WholeNumber.h"

#include <cmath>
#include <stdexcept>

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

qint32 Recordset::fieldCount() const
{
    return fieldCount_;
}

void Recordset::setFieldCount(const QVariant& value)
{
    QString failure;
    const std::optional<qint32> count = toWholeNumber(value, &failure);
    if (!count)
        throw std::invalid_argument(failure.toStdString());
    fieldCount_ = *count;
}

QString Recordset::fieldNames() const
{
    return fieldNameList().join(QLatin1Char(','));
}

void Recordset::setFieldNames(const QVariant& value)
{
    names_.append(value.toString());
}

QStringList Recordset::fieldNameList() const
{
    QStringList names;
    for (qsizetype i = 0; i < fieldCount_ && i < names_.size(); ++i)
        names << names_.textAt(i);
    return names;
}

double Recordset::recordCount() const
{
    if (fieldCount_ == 0)
        return 0;
    return static_cast<double>(values_.size()) / fieldCount_;
}

bool Recordset::atEnd() const
{
    return cursor_ == recordCount();
}

void Recordset::add(QStringView value)
{
    values_.append(value);
}

void Recordset::remove(qint32 field)
{
    if (field < 1 || field > values_.size())
        throw std::out_of_range("Recordset::Delete: position outside the value list");
    values_.removeAt(field - 1);
}

void Recordset::moveNext()
{
    ++cursor_;
}

void Recordset::moveFirst()
{
    cursor_ = 0;
}

qint32 Recordset::resolveField(const QVariant& field) const
{
    // The common case, an index as an int, without the conversions: every value read asks.
    if (field.typeId() == QMetaType::Int)
        return field.toInt();
    if (isNumber(field))
        return toWholeNumber(field, nullptr).value_or(-1);
    const QString name = field.toString();
    for (qint32 i = 0; i < fieldCount_ && i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<qint32> Recordset::fieldIndex(const QVariant& field, QString* failure) const
{
    const qint32 index = resolveField(field);
    if (index >= 0)
        return index;
    // A negative index would read a neighbouring record's value, so it is refused like an unknown name.
    *failure = isNumber(field) ? QStringLiteral("Field index %1 is out of range").arg(field.toString())
                                : QStringLiteral("The table has no field named '%1'").arg(field.toString());
    return std::nullopt;
}

QVariant Recordset::valueOf(const QVariant& field) const
{
    QString failure;
    const std::optional<qint32> index = fieldIndex(field, &failure);
    if (!index) {
        reportFailure(QStringLiteral("Item"), failure);
        return {};
    }
    if (*index >= fieldCount_)
        return {};
    const qint64 position = static_cast<qint64>(cursor_) * fieldCount_ + *index;
    if (position < 0 || position >= values_.size()) {
        reportFailure(QStringLiteral("Item"),
                      QStringLiteral("No current record: the cursor is at %1 and the table has %2 records")
                          .arg(cursor_)
                          .arg(recordCount()));
        return {};
    }
    return values_.textAt(position);
}

std::optional<qint32> Recordset::getMax(const QVariant& field)
{
    QString failure;
    std::optional<qint32> max;
    if (fieldIndex(field, &failure)) {
        const qint32 remembered = cursor_;
        cursor_ = 0;
        max = toWholeNumber(valueOf(field), &failure);
        const qint32 last = static_cast<qint32>(std::nearbyint(recordCount() - 1));
        for (cursor_ = 1; max && cursor_ <= last; ++cursor_) {
            const std::optional<qint32> value = toWholeNumber(valueOf(field), &failure);
            if (!value)
                max.reset();
            else if (*value > *max)
                max = value;
        }
        // Restored on failure too: a caller walking the table must not find its cursor moved.
        cursor_ = remembered;
    }
    if (!max)
        reportFailure(QStringLiteral("getMax"), failure);
    return max;
}
