#pragma once

#include "TextList.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// The program's in-memory table: a fixed number of named fields, any number of records held as one
// flat list of text values, and a cursor on the current record. Field names match without regard
// to letter case.
class Recordset
{
public:
    qint32 fieldCount() const;
    // Converts like a whole-number conversion (halves to even); throws std::invalid_argument for a
    // value that is not a number.
    void setFieldCount(const QVariant& value);

    // The first fieldCount() names joined by "," (no spaces).
    QString fieldNames() const;
    // Appends one name; names are never replaced or cleared.
    void setFieldNames(const QVariant& value);

    // Number of values divided by the field count; 0 for a table without fields.
    double recordCount() const;
    // True when the cursor stands on recordCount(). (EOF itself is a C macro.)
    bool atEnd() const;

    void add(QStringView value);
    // Removes the value at 1-based position field of the value list; throws std::out_of_range for
    // a position outside it.
    void remove(qint32 field);

    void moveNext();
    void moveFirst();

    // The value of a field (0-based index, or name) in the current record; null when there is none.
    // An index at or past the field count gives null silently; no current record, a negative index
    // or an unknown name reports "Item: ...".
    QVariant valueOf(const QVariant& field) const;
    // The largest value of a field over all records, compared as integers; the cursor is restored.
    // A value that is not an integer reports "getMax: ..." and gives nullopt.
    std::optional<qint32> getMax(const QVariant& field);

    // The names taking part in lookups, one per field.
    QStringList fieldNameList() const;
    qint32 cursor() const { return cursor_; }
    qsizetype valueCount() const { return values_.size(); }
    // Room for `count` more values of `characters` characters in all.
    void reserveValues(qsizetype count, qsizetype characters) { values_.reserve(count, characters); }
    void reserveNames(qsizetype count, qsizetype characters) { names_.reserve(count, characters); }

private:
    // The 0-based field index, or -1 for a name the table lacks.
    qint32 resolveField(const QVariant& field) const;
    // resolveField, refusing negative indexes and unknown names with a description.
    std::optional<qint32> fieldIndex(const QVariant& field, QString* failure) const;

    qint32 fieldCount_ = 0;
    TextList names_;
    TextList values_;
    qint32 cursor_ = 0;
};
