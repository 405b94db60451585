#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <variant>

// Database type names mapped to each language's type, read from a tab-separated file: the
// header names the pattern column and then one column per language; every row gives one or
// more patterns (separated by commas) and a type per language. A pattern ignores letter
// case, "*" in it matches any text, and a length or precision in parentheses is ignored in
// both the pattern and the type looked up ("varchar*" matches "VARCHAR(50)"). The first row
// whose pattern matches and that gives a type for the language wins; an empty cell gives none.
class TypeMap
{
public:
    struct Failure
    {
        qsizetype line = 0;
        QString reason;
    };

    static std::variant<TypeMap, Failure> read(QStringView text);
    // The same from a file's bytes, which must be UTF-8.
    static std::variant<TypeMap, Failure> read(const QByteArray& bytes);
    // The map that comes with the program.
    static std::shared_ptr<const TypeMap> shipped();

    // The language columns, as the header names them.
    const QStringList& languages() const { return languages_; }
    // The column of a language (letter case ignored), -1 when there is none.
    qsizetype language(QStringView name) const;

    struct Mapped
    {
        QString type;
        bool found = false; // false: no row matched and `type` is the type as given
    };
    Mapped map(const QString& databaseType, qsizetype language) const;

private:
    struct Pattern
    {
        QStringList pieces; // the text between the "*"s, folded; one piece when there is no "*"
        bool matches(QStringView folded) const;
    };
    struct Row
    {
        QList<Pattern> patterns;
        QStringList types;
    };

    QStringList languages_;
    QList<Row> rows_;
};

// The map in effect for a Data folder: its TypeMaps.tsv when that reads, else the shipped
// one; `problem` names the file, line and reason when it exists but cannot be used.
struct TypeMapInUse
{
    std::shared_ptr<const TypeMap> map;
    QString problem;
};
TypeMapInUse LoadTypeMap(const QString& filePath);
