#include "ColumnTable.h"

#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

const QString kPrimary = QStringLiteral("primary");
const QString kUnique = QStringLiteral("unique");
const QString kForeign = QStringLiteral("foreign");

QString YesOrNo(bool yes)
{
    return yes ? QStringLiteral("yes") : QStringLiteral("no");
}

QString Text(const QSqlQuery& query, int column)
{
    const QVariant value = query.value(column);
    return value.isNull() ? QString() : value.toString();
}

// Runs `sql` with `values` bound in order; the reason when it fails.
std::optional<QString> Run(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return query.lastError().text();
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return query.lastError().text();
    return std::nullopt;
}

// What stands in the parentheses of a declared type ("VARCHAR(50)" gives "50",
// "DECIMAL(10, 2)" gives "10,2").
QString LengthOfDeclaredType(const QString& type)
{
    const qsizetype open = type.indexOf(u'(');
    const qsizetype close = type.lastIndexOf(u')');
    if (open < 0 || close < open)
        return QString();
    QString length = type.sliced(open + 1, close - open - 1);
    length.remove(u' ');
    return length;
}

// A primary key outranks a unique one, which outranks a foreign key.
void RankKey(QString& key, const QString& kind)
{
    static const QStringList order{kPrimary, kUnique, kForeign};
    if (key.isEmpty() || order.indexOf(kind) < order.indexOf(key))
        key = kind;
}

std::variant<TableRows, QString> ReadPostgresColumns(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    QSqlQuery query(db);
    // A key counts for a column only when the column alone makes it.
    const std::optional<QString> failure = Run(query, QStringLiteral(
        "SELECT c.column_name, c.data_type, c.udt_name, c.is_nullable, c.character_maximum_length, "
        "c.numeric_precision, c.numeric_scale, "
        "(SELECT string_agg(t.constraint_type, ',') FROM information_schema.table_constraints t "
        "  JOIN information_schema.key_column_usage k ON k.constraint_schema = t.constraint_schema "
        "  AND k.constraint_name = t.constraint_name "
        "  WHERE t.table_schema = c.table_schema AND t.table_name = c.table_name "
        "  AND k.column_name = c.column_name AND (SELECT count(*) FROM information_schema.key_column_usage o "
        "  WHERE o.constraint_schema = t.constraint_schema AND o.constraint_name = t.constraint_name) = 1) "
        "FROM information_schema.columns c WHERE c.table_schema = ? AND c.table_name = ? "
        "ORDER BY c.ordinal_position"), {schema, table});
    if (failure)
        return *failure;
    TableRows rows{ColumnTableHeader(), {}, {}};
    while (query.next()) {
        QString type = Text(query, 1);
        // Arrays and types of the user's own say what they are only by their internal name.
        if (type == u"ARRAY")
            type = Text(query, 2).sliced(1) + QStringLiteral("[]");
        else if (type == u"USER-DEFINED")
            type = Text(query, 2);
        QString length = Text(query, 4);
        if (length.isEmpty() && (type == u"numeric") && !query.value(5).isNull())
            length = Text(query, 5) + u',' + Text(query, 6);
        QString key;
        for (const QString& constraint : Text(query, 7).split(u',', Qt::SkipEmptyParts))
            RankKey(key, constraint == u"PRIMARY KEY" ? kPrimary : constraint == u"UNIQUE" ? kUnique : kForeign);
        rows.rows.append({Text(query, 0), type, YesOrNo(Text(query, 3) == u"YES"), length, key});
    }
    return rows;
}

std::variant<TableRows, QString> ReadSqliteColumns(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    QHash<QString, QString> keys;
    // Unique indexes over one column, then foreign keys (each column of one).
    if (const auto failure = Run(query, QStringLiteral(
            "SELECT min(i.name) FROM pragma_index_list(?) l, pragma_index_info(l.name) i "
            "WHERE l.\"unique\" AND l.origin <> 'pk' GROUP BY l.name HAVING count(*) = 1"), {table}))
        return *failure;
    while (query.next())
        RankKey(keys[Text(query, 0)], kUnique);
    if (const auto failure = Run(query, QStringLiteral("SELECT \"from\" FROM pragma_foreign_key_list(?)"), {table}))
        return *failure;
    while (query.next())
        RankKey(keys[Text(query, 0)], kForeign);
    if (const auto failure = Run(query, QStringLiteral("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?) ORDER BY cid"), {table}))
        return *failure;
    struct Column
    {
        QString name, type;
        bool notNull, inPrimaryKey;
    };
    QList<Column> columns;
    while (query.next())
        columns.append({Text(query, 0), Text(query, 1), query.value(2).toInt() != 0, query.value(3).toInt() > 0});
    const bool onePrimaryColumn = std::count_if(columns.cbegin(), columns.cend(), [](const Column& c) { return c.inPrimaryKey; }) == 1;
    TableRows rows{ColumnTableHeader(), {}, {}};
    for (const Column& column : std::as_const(columns)) {
        if (column.inPrimaryKey && onePrimaryColumn)
            RankKey(keys[column.name], kPrimary);
        // An INTEGER PRIMARY KEY is the row id, never null; other key columns may be.
        const bool notNull = column.notNull || (column.inPrimaryKey && onePrimaryColumn &&
                                                column.type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0);
        rows.rows.append({column.name, column.type, YesOrNo(!notNull), LengthOfDeclaredType(column.type), keys.value(column.name)});
    }
    if (rows.rows.isEmpty())
        return QStringLiteral("no table \"%1\"").arg(table);
    return rows;
}

std::variant<TableRows, QString> ReadDriverColumns(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    const QString qualified = schema.isEmpty() ? table : schema + u'.' + table;
    const QSqlRecord record = db.record(qualified);
    if (record.isEmpty())
        return db.lastError().text().isEmpty() ? QStringLiteral("no columns in \"%1\"").arg(qualified)
                                               : db.lastError().text();
    const QSqlIndex primary = db.primaryIndex(qualified);
    TableRows rows{ColumnTableHeader(), {}, {}};
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        const QString nullable = field.requiredStatus() == QSqlField::Unknown ? QString()
                                                                              : YesOrNo(field.requiredStatus() == QSqlField::Optional);
        const QString length = field.length() > 0 ? QString::number(field.length()) : QString();
        const bool key = primary.count() == 1 && primary.contains(field.name());
        rows.rows.append({field.name(), QString::fromLatin1(field.metaType().name()), nullable, length,
                          key ? kPrimary : QString()});
    }
    return rows;
}

} // namespace

const QStringList& ColumnTableHeader()
{
    static const QStringList header{QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("nullable"),
                                    QStringLiteral("length"), QStringLiteral("key")};
    return header;
}

std::variant<TableRows, QString> ReadColumnTable(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    if (!db.isOpen())
        return QStringLiteral("The database is not open.");
    const QString driver = db.driverName();
    if (driver == u"QPSQL")
        return ReadPostgresColumns(db, schema, table);
    if (driver == u"QSQLITE")
        return ReadSqliteColumns(db, table);
    return ReadDriverColumns(db, schema, table);
}
