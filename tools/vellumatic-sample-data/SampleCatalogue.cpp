#include "SampleCatalogue.h"

namespace {

SampleItem Value(const QString& name, const QStringList& children = {})
{
    SampleItem item{name, {}, {}, {}};
    for (const QString& child : children)
        item.children.append({child, {}, {}, {}});
    return item;
}

} // namespace

QList<SampleItem> SampleTemplates()
{
    return {
        {"Comma-separated field list", "[($Field!|1|n)(,|1|n-1)]", "4", {}},
        {"SQL",
         "SQL statements over n columns: pick one below, press Run and answer n,\n"
         "then give each $Column0001! marker a column from the Values List.",
         "3",
         {
             {"INSERT over n columns",
              "INSERT INTO $Table! (\n"
              "[(    $Column!|1|n)(,|1|n-1)])\n"
              "VALUES (\n"
              "[(    :$Column!|1|n)(,|1|n-1)]);",
              "3",
              {}},
             {"UPDATE over n columns",
              "UPDATE $Table!\n"
              "SET\n"
              "[(    $Column! = :$Column!|1|n)(,|1|n-1)]WHERE $Key! = :$Key!;",
              "3",
              {}},
         }},
        {"C++",
         "C++ declarations: one member, getter, setter or enumerator per counter step.",
         "3",
         {
             {"Struct with getters and setters",
              "struct $Name!\n"
              "{\n"
              "[(    const $Type!& $Member!() const { return m_$Member!; }|1|n)]\n"
              "[(    void set_$Member!(const $Type!& value) { m_$Member! = value; }|1|n)]\n"
              "private:\n"
              "[(    $Type! m_$Member!{};|1|n)]};",
              "3",
              {}},
             {"Numbered enum",
              "enum class $Name!\n"
              "{\n"
              "[(    $Item! = $!|1|n)(,|1|n-1)]};",
              "4",
              {}},
         }},
        {"HTML",
         "HTML fragments.",
         "3",
         {
             {"Table row",
              "<tr>\n"
              "[(  <td>$Column!</td>|1|n)]</tr>",
              "3",
              {}},
         }},
    };
}

QList<SampleItem> SampleValues()
{
    return {
        Value("Customers", {"CustomerId", "Name", "Email", "CreatedAt"}),
        Value("Orders", {"OrderId", "CustomerId", "OrderDate", "Total"}),
        Value("C++ types", {"int", "double", "bool", "std::string", "QString"}),
    };
}
