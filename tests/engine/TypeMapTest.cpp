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

// One row in every language; in Java, whose types tell every row apart, the types whose
// patterns a star or a parenthesis could send to the wrong row.
TEST(TypeMap, TheShippedMapReadsEveryLanguageAndSendsEachTypeToItsRow)
{
    const auto map = TypeMap::shipped();
    ASSERT_EQ(map->languages(), (QStringList{"csharp", "java", "typescript", "cpp", "python", "go"}));
    const QStringList bigint = {"long", "long", "number", "std::int64_t", "int", "int64"};
    for (qsizetype language = 0; language < bigint.size(); ++language)
        EXPECT_EQ(map->map("BIGINT", language).type, bigint[language]) << language;
    const std::pair<const char*, const char*> java[] = {
        {"integer", "int"}, {"int8", "long"}, {"int2", "short"}, {"character varying(255)", "String"},
        {"nvarchar(max)", "String"}, {"clob", "String"}, {"bit", "boolean"}, {"timestamp(6) with time zone", "LocalDateTime"},
        {"datetime2", "LocalDateTime"}, {"date", "LocalDate"}, {"money", "BigDecimal"}, {"float4", "float"},
        {"float", "double"}, {"double precision", "double"}, {"uniqueidentifier", "UUID"}, {"varbinary(16)", "byte[]"}};
    for (const auto& [type, mapped] : java)
        EXPECT_EQ(map->map(QString::fromLatin1(type).toUpper(), map->language(u"java")).type, mapped) << type;
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
