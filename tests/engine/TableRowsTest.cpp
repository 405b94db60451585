#include "TableRows.h"

#include <gtest/gtest.h>

namespace {

TableRows Read(const QString& text, TableFormat format)
{
    auto read = ReadTable(text, format);
    if (const auto* failure = std::get_if<TableFailure>(&read))
        ADD_FAILURE() << failure->message().toStdString();
    return std::get<TableRows>(std::move(read));
}

} // namespace

TEST(TableRows, ReadsCommaSeparatedQuotingWithCommasQuotesAndLineBreaksInside)
{
    const TableRows table = Read(QString::fromUtf8("\xEF\xBB\xBFname,type,note\r\n"
                                                   "id,integer,\"the key, \"\"first\"\"\"\r\n"
                                                   "\r\n"
                                                   "title,varchar(50),\"two\r\nlines\"\r\n"
                                                   " spaced ,,\"\"\n"
                                                   "last,text,\"ends\nthe file\""),
                                 TableFormat::CommaSeparated);
    EXPECT_EQ(table.columns, QStringList({"name", "type", "note"}));
    ASSERT_EQ(table.rows.size(), 4);
    EXPECT_EQ(table.rows[0], QStringList({"id", "integer", "the key, \"first\""}));
    EXPECT_EQ(table.rows[1], QStringList({"title", "varchar(50)", "two\r\nlines"}));
    EXPECT_EQ(table.rows[2], QStringList({" spaced ", "", ""}));
    EXPECT_EQ(table.rows[3], QStringList({"last", "text", "ends\nthe file"}));
    EXPECT_EQ(table.lines, QList<qsizetype>({2, 4, 6, 7}));

    EXPECT_EQ(Read("name\n", TableFormat::CommaSeparated).rows.size(), 0);
}

TEST(TableRows, ReadsTabSeparatedLineByLine)
{
    const TableRows table = Read("Col\tType\r\nid\tinteger\n\n\"a\tb\r\n\t\n", TableFormat::TabSeparated);
    EXPECT_EQ(table.columns, QStringList({"Col", "Type"}));
    EXPECT_EQ(table.rows, QList<QStringList>({{"id", "integer"}, {"\"a", "b"}, {"", ""}}));
    EXPECT_EQ(table.lines, QList<qsizetype>({2, 4, 5}));
    EXPECT_EQ(TableFormatForFile("columns.CSV"), TableFormat::CommaSeparated);
    EXPECT_EQ(TableFormatForFile("columns.tsv"), TableFormat::TabSeparated);
}

TEST(TableRows, NamesTheLineOfMalformedInput)
{
    const struct { const char* text; TableFormat format; qsizetype line; const char* reason; } failures[] = {
        {"", TableFormat::CommaSeparated, 1, "no header"},
        {"\n\n", TableFormat::TabSeparated, 1, "no header"},
        {"a,b\n1,2\n3\n", TableFormat::CommaSeparated, 3, "1 values, the header 2"},
        {"a,b\n1,\"2\n\n3\",4\n", TableFormat::CommaSeparated, 2, "3 values"},
        {"a,b\n1,x\"y\n", TableFormat::CommaSeparated, 2, "quote"},
        {"a,b\n1,\"x\"y\n", TableFormat::CommaSeparated, 2, "quote"},
        {"a,b\n1,2\n3,\"open\nstill open\n", TableFormat::CommaSeparated, 3, "not closed"},
        {"a\tb\n1\t2\t3\n", TableFormat::TabSeparated, 2, "3 values"},
    };
    for (const auto& failure : failures) {
        const auto read = ReadTable(QString::fromUtf8(failure.text), failure.format);
        ASSERT_TRUE(std::holds_alternative<TableFailure>(read)) << failure.text;
        EXPECT_EQ(std::get<TableFailure>(read).line, failure.line) << failure.text;
        EXPECT_TRUE(std::get<TableFailure>(read).reason.contains(failure.reason))
            << std::get<TableFailure>(read).reason.toStdString();
    }
}
