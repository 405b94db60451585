#pragma once

#include "Recordset.h"

#include <QStringList>

// A table built in the order the store builds one: field count, names, then the values record by record.
inline Recordset RecordsetOf(const QStringList& names, const QStringList& values)
{
    Recordset rs;
    rs.setFieldCount(int(names.size()));
    for (const QString& name : names)
        rs.setFieldNames(name);
    for (const QString& value : values)
        rs.add(value);
    return rs;
}
