#include "TypeMap.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TypeMap Read(const QString& text)
{
    auto read = TypeMap::read(QStringView(text));
    if (const auto* failure = std::get_if<TypeMap::Failure>(&read))
        ADD_FAILURE() << "line " << failure->line << ": " << failure->reason.toStdString();
    return std::get<TypeMap>(std::move(read));
}

} // namespace

TEST(TypeMap, MatchesPatternsWithoutCaseWithStarsIgnoringParenthesesFirstRowFirst)
{
    const TypeMap map = Read("pattern\tcs\tjs\n"
                             "varchar*, text\tstring\tstring\n"
                             "numeric(10,2)\tdecimal\n"
                             "*int*\tlong\tnumber\n"
                             "box\t\tBox\n"
                             "int\tint\tnumber\n"
                             "box\tBox\n"
                             "*\t\tany\n");
    const qsizetype cs = map.language(u"CS");
    ASSERT_EQ(cs, 0);
    const struct { const char* type; const char* mapped; bool found; } cases[] = {
        {"VARCHAR(50)", "string", true},
        {"varchar", "string", true},
        {"Text", "string", true},
        {"textual", "textual", false},
        {"numeric", "decimal", true},
        {"numeric (12, 4)", "decimal", true},
        {"int", "long", true}, // "*int*" comes first
        {"bigint unsigned", "long", true},
        {"BOX", "Box", true}, // the first "box" row has no type for this language
        {"jsonb", "jsonb", false},
        {" varchar(", " varchar(", false},
    };
    for (const auto& c : cases) {
        const TypeMap::Mapped mapped = map.map(QString::fromUtf8(c.type), cs);
        EXPECT_EQ(mapped.type.toStdString(), c.mapped) << c.type;
        EXPECT_EQ(mapped.found, c.found) << c.type;
    }
    EXPECT_EQ(map.map("int", map.language(u"js")).type, "number");
    EXPECT_FALSE(map.map("int", map.language(u"go")).found) << "no such language";
    EXPECT_EQ(map.map("jsonb", map.language(u"js")).type, "any");
    EXPECT_EQ(map.map("", map.language(u"js")).type, "any") << "an empty type meets the catch-all too";
}

TEST(TypeMap, ShipsEveryRowForEveryLanguage)
{
    const QStringList languages = {"csharp", "java", "typescript", "cpp", "python", "go"};
    const struct { QStringList types; QStringList mapped; } rows[] = {
        {{"int", "integer", "int4", "serial"}, {"int", "int", "number", "std::int32_t", "int", "int32"}},
        {{"bigint", "int8", "bigserial"}, {"long", "long", "number", "std::int64_t", "int", "int64"}},
        {{"smallint", "int2"}, {"short", "short", "number", "std::int16_t", "int", "int16"}},
        {{"varchar(50)", "character varying(255)", "nvarchar(max)", "char(1)", "nchar", "text", "clob"},
         {"string", "String", "string", "std::string", "str", "string"}},
        {{"bool", "boolean", "bit"}, {"bool", "boolean", "boolean", "bool", "bool", "bool"}},
        {{"timestamp", "timestamp(6) with time zone", "datetime", "datetime2"},
         {"DateTime", "LocalDateTime", "Date", "std::chrono::system_clock::time_point", "datetime", "time.Time"}},
        {{"date"}, {"DateOnly", "LocalDate", "Date", "std::chrono::year_month_day", "date", "time.Time"}},
        {{"numeric(10,2)", "decimal", "money"}, {"decimal", "BigDecimal", "number", "double", "Decimal", "float64"}},
        {{"real", "float4"}, {"float", "float", "number", "float", "float", "float32"}},
        {{"double precision", "float8", "float"}, {"double", "double", "number", "double", "float", "float64"}},
        {{"uuid", "uniqueidentifier"}, {"Guid", "UUID", "string", "std::string", "UUID", "string"}},
        {{"bytea", "blob", "varbinary(16)", "binary"},
         {"byte[]", "byte[]", "Uint8Array", "std::vector<std::uint8_t>", "bytes", "[]byte"}},
    };
    const auto map = TypeMap::shipped();
    ASSERT_EQ(map->languages(), languages);
    for (const auto& row : rows)
        for (const QString& type : row.types)
            for (qsizetype language = 0; language < languages.size(); ++language)
                EXPECT_EQ(map->map(type.toUpper(), language).type, row.mapped[language])
                    << type.toStdString() << " in " << languages[language].toStdString();
}

TEST(TypeMap, NamesTheLineAndReasonOfAMapItCannotUseAndFallsBackToTheShippedOne)
{
    const struct { QByteArray text; qsizetype line; const char* reason; } failures[] = {
        {"", 1, "empty"},
        {"\n\npattern\n", 3, "no language"},
        {"pattern\tcs\tCS\n", 1, "named twice"},
        {"pattern\tupper\n", 1, "letter-case modifier"},
        {"pattern\tc s\n", 1, "cannot"},
        {"pattern\tcs\nint\tint\n\nx\ty\tz\n", 4, "3 columns"},
        {"pattern\tcs\nint(\tint\n", 2, "pair up"},
        {"pattern\tcs\nint, ,text\tint\n", 2, "empty pattern"},
        {"pattern\tcs\nint\tint\n\xff\tx\n", 3, "UTF-8"},
        {"pattern\tcs\nint\tint\xeb\nx\ty\n", 2, "UTF-8"},
        {"pattern\tcs\nint\tint\xeb", 2, "UTF-8"}, // cut off at the end
    };
    for (const auto& failure : failures) {
        const auto read = TypeMap::read(failure.text);
        ASSERT_TRUE(std::holds_alternative<TypeMap::Failure>(read)) << failure.text.toStdString();
        EXPECT_EQ(std::get<TypeMap::Failure>(read).line, failure.line) << failure.text.toStdString();
        EXPECT_TRUE(std::get<TypeMap::Failure>(read).reason.contains(failure.reason))
            << std::get<TypeMap::Failure>(read).reason.toStdString();
    }

    QTemporaryDir folder;
    const QString path = folder.filePath("TypeMaps.tsv");
    EXPECT_EQ(LoadTypeMap(path).map, TypeMap::shipped()) << "a folder without the file uses the shipped map";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFpattern\tkotlin\r\ninteger\tInt\r\n");
    file.close();
    const TypeMapInUse own = LoadTypeMap(path);
    EXPECT_TRUE(own.problem.isEmpty());
    EXPECT_EQ(own.map->map("INTEGER", own.map->language(u"kotlin")).type, "Int");
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("x\ty\tz\n");
    file.close();
    const TypeMapInUse broken = LoadTypeMap(path);
    EXPECT_EQ(broken.map, TypeMap::shipped());
    EXPECT_EQ(broken.problem, "TypeMaps.tsv, line 3: the row has 3 columns, the header 2");
}
