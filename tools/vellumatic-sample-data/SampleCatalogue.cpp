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
        {"From a table",
         "Code from a table's rows: pick one below, press Run and answer n with the number\n"
         "of rows, then Edit > Fill Rows with a table whose rows give each column's name and\n"
         "type (a database table's columns, or a CSV). $Col! takes the name, $Type! the type;\n"
         "\":pascal\", \":snake\" and the like spell the name, \":csharp\", \":java\" and the\n"
         "like write the type in that language (TypeMaps.tsv in the Data folder).",
         "3",
         {
             {"C# class with properties",
              "public class $Class:pascal!\n"
              "{\n"
              "[(    public $Type:csharp! $Col:pascal! { get; set; }|1|n)]}",
              "3",
              {}},
             {"Java class with fields and getters",
              "public class $Class:pascal!\n"
              "{\n"
              "[(    private $Type:java! $Col:camel!;|1|n)]\n"
              "[(    public $Type:java! get$Col:pascal!() { return $Col:camel!; }|1|n)]}",
              "3",
              {}},
             {"TypeScript interface",
              "export interface $Class:pascal!\n"
              "{\n"
              "[(    $Col:camel!: $Type:typescript!;|1|n)]}",
              "3",
              {}},
             {"SQL INSERT with named parameters",
              "INSERT INTO $Table:snake! (\n"
              "[(    $Col:snake!|1|n)(,|1|n-1)])\n"
              "VALUES (\n"
              "[(    :$Col:snake!|1|n)(,|1|n-1)]);",
              "3",
              {}},
             {"C++ struct",
              "struct $Class:pascal!\n"
              "{\n"
              "[(    $Type:cpp! $Col:snake!{};|1|n)]};",
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
