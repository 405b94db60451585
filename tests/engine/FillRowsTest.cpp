#include "Expansion.h"
#include "FillRows.h"
#include "TextEdits.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QString Expanded(const QString& templateText, const QString& n)
{
    const AskValue answer = [n](const QString&) { return std::optional<QString>(n); };
    return GenerateResult(templateText, false, answer).text;
}

struct Filling
{
    QString text;
    RowFill fill;
};

// The template expanded and its repetitions filled from `table`, columns matched by the rule.
Filling FilledFromRows(const QString& templateText, const QString& n, const TableRows& table)
{
    Filling filling{Expanded(templateText, n), {}};
    const QStringList names = RowFieldNames(templateText, filling.text);
    filling.fill = FillRows(filling.text, names, MatchColumns(names, table.columns), table);
    ApplyTextEdits(filling.text, filling.fill.edits.edits);
    return filling;
}

// Edits as one line each, to compare and show.
std::string Written(const QList<TextEdit>& edits)
{
    QString written;
    for (const TextEdit& edit : edits)
        written += QStringLiteral("%1+%2=%3\n").arg(edit.start).arg(edit.length).arg(edit.value);
    return written.toStdString();
}

} // namespace

TEST(FillRows, FillsRepetitionKFromRowKWithMirrorsAndLeavesTheRestAsFields)
{
    const QString classTemplate = "class $Class! {\n[(    public $Type:csharp! $Col:pascal! { get; set; } // $col!|1|n)]}";
    const TableRows columns{{"name", "type"}, {{"customer id", "integer"}, {"ship_to", "jsonb"}}, {2, 3}};

    const struct { const char* n; const char* text; qsizetype repetitions, filled, unusedRows; } cases[] = {
        {"3",
         "class $Class! {\n"
         "    public int CustomerId { get; set; } // customer id\n"
         "    public jsonb ShipTo { get; set; } // ship_to\n"
         "    public $Type:csharp0003! $Col:pascal0003! { get; set; } // $col0003!\n}",
         3, 2, 0},
        {"1", "class $Class! {\n    public int CustomerId { get; set; } // customer id\n}", 1, 1, 1},
    };
    for (const auto& c : cases) {
        const Filling filling = FilledFromRows(classTemplate, c.n, columns);
        EXPECT_EQ(filling.text.toStdString(), c.text) << c.n;
        EXPECT_EQ(filling.fill.repetitions, c.repetitions) << c.n;
        EXPECT_EQ(filling.fill.filled, c.filled) << c.n;
        EXPECT_EQ(filling.fill.unusedRows, c.unusedRows) << c.n;
    }
    EXPECT_EQ(FilledFromRows(classTemplate, "3", columns).fill.edits.unmapped, QStringList({"jsonb"}));

    // A counter from 0 is no row's: rows start at repetition 1.
    const Filling fromZero = FilledFromRows("[($Col!,|0|2)]", "", {{"Col"}, {{"a"}, {"b"}, {"c"}}, {2, 3, 4}});
    EXPECT_EQ(fromZero.text, "$Col0000!,\na,\nb,\n");
    EXPECT_EQ(fromZero.fill.unusedRows, 1);
    // A counter far past the rows is a repetition all the same, and costs no memory for the rows between.
    const RowFill far = FillRows("$Col999999999999999999! $Col0002!", {"Col"}, {0}, {{"Col"}, {{"a"}}, {2}});
    EXPECT_EQ(std::tuple(far.repetitions, far.filled, far.unusedRows), std::tuple(2, 0, 1));
}

TEST(FillRows, NamesTheNumberedFieldsOnceInTemplateOrderAndReadsCountersPastFourDigits)
{
    EXPECT_EQ(RowFieldNames("$Class! [($Type:java! $addr2! $Col:snake! $COL!|1|n)] $Other!",
                            Expanded("$Class! [($Type:java! $addr2! $Col:snake! $COL!|1|n)] $Other!", "2")),
              QStringList({"Type", "addr2", "Col"}))
        << "mirrors name their field; fields outside the repetitions are left out";
    EXPECT_TRUE(RowFieldNames("$Class!", "$Class!").isEmpty());

    // Repetitions 9999 to 10001: the counter grows to five digits, the names stay.
    TableRows table{{"Col", "addr2"}, {}, {}};
    for (int row = 1; row <= 10001; ++row)
        table.rows.append({QString::number(row), "a" + QString::number(row)});
    const Filling filling = FilledFromRows("[($Col!=$addr2!;|9999|n)]", "10001", table);
    EXPECT_EQ(filling.text, "9999=a9999;\n10000=a10000;\n10001=a10001;\n");
    EXPECT_EQ(filling.fill.repetitions, 3);
    EXPECT_EQ(filling.fill.unusedRows, 9998);
}

TEST(FillRows, MatchesColumnsByNameIgnoringCaseThenByPosition)
{
    const struct { QStringList fields, columns; QList<qsizetype> matched; } cases[] = {
        {{"Col", "Type"}, {"type", "COL"}, {1, 0}},
        {{"Col", "Type"}, {"name", "type"}, {0, 1}},       // the rest by position
        {{"Col", "Type", "Note"}, {"note", "x"}, {1, -1, 0}},
        {{"Col"}, {"a", "col", "b"}, {1}},
        {{"a", "A"}, {"A", "z"}, {0, 1}},                  // one column fills one field by name
        {{"Col"}, {}, {-1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchColumns(c.fields, c.columns), c.matched) << c.fields.join(',').toStdString();
}

// Awkward results: what the rows fill is what FillEdits makes of the same fills.
TEST(FillRows, FillsWhatFillEditsFillsWithTheSameValues)
{
    const QStringList starts{"$Col", "$col", "$COL:pascal", "$Col:snake", "$Col5", "$Col5:upper", "$Type:csharp",
                             "$Type:nosuch", "$Other", "$x $Col", "$", ":"};
    const QStringList counters{"0001", "0002", "0012", "00010", "10000", "0000", "+001", "01", ""};
    const QStringList ends{"!", "!", "!", " ", "\n"};
    TableRows table{{"Col", "Type", "Col5"}, {}, {}};
    for (int row = 1; row <= 12; ++row)
        table.rows.append({"first name " + QString::number(row), row % 2 ? "integer" : "jsonb", "v" + QString::number(row)});
    std::mt19937 random(7);
    qsizetype filled = 0;
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int piece = 0; piece < 20; ++piece)
            text += starts[random() % starts.size()] + counters[random() % counters.size()] + ends[random() % ends.size()];
        const QStringList names{"Col", "Type", "Col5"};
        const RowFill fill = FillRows(text, names, {0, 1, 2}, table);
        const FieldFill expected = FillEdits(text, fill.fills);
        ASSERT_EQ(Written(fill.edits.edits), Written(expected.edits)) << text.toStdString();
        EXPECT_EQ(fill.edits.unmapped, expected.unmapped) << text.toStdString();
        filled += fill.edits.edits.size();
    }
    EXPECT_GT(filled, 300) << "the pieces make fields often enough";
}
