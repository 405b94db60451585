#include "Expansion.h"
#include "FieldFill.h"
#include "ReferenceRules.h"
#include "TextEdits.h"
#include "TextRules.h"
#include "WordCase.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QString Filled(QString text, const FieldFill& fill)
{
    ApplyTextEdits(text, fill.edits);
    return text;
}

// The fill before mirrors: every occurrence of the marker, or one pass over the markers.
QString FilledLiterally(QString text, const QString& marker, const QString& value)
{
    QList<TextEdit> edits;
    for (const qsizetype at : FindOccurrences(text, marker))
        edits.append({at, marker.size(), value});
    ApplyTextEdits(text, edits);
    return text;
}

// The same for several fields: the marker from each "$" to the next "!", filled when it
// is one of them, searched on after it otherwise.
QString FilledAllLiterally(QString text, const QList<std::pair<QString, QString>>& fills)
{
    QList<TextEdit> edits;
    for (qsizetype open = text.indexOf(u'$'), close; open >= 0 && (close = text.indexOf(u'!', open + 1)) >= 0;
         open = text.indexOf(u'$', open + 1)) {
        // A marker given twice gets its last value.
        for (auto fill = fills.crbegin(); fill != fills.crend(); ++fill) {
            if (text.mid(open, close + 1 - open).compare(fill->first, Qt::CaseInsensitive) == 0) {
                edits.append({open, fill->first.size(), fill->second});
                open = close;
                break;
            }
        }
    }
    ApplyTextEdits(text, edits);
    return text;
}

// Every "$...!" marker of a text whose every "$" starts one, filled when it is the field or
// one of its mirrors.
QString FilledWithMirrorsLiterally(const QString& text, const QString& field, const QString& value)
{
    QString filled;
    qsizetype done = 0;
    for (qsizetype open = text.indexOf(u'$'), close; open >= 0 && (close = text.indexOf(u'!', open)) >= 0;
         open = text.indexOf(u'$', close + 1)) {
        const QString marker = text.mid(open, close + 1 - open);
        const std::optional<reference::MirrorOf> mirror = reference::FieldOf(marker);
        QString written = marker;
        if (marker.compare(field, Qt::CaseInsensitive) == 0)
            written = value;
        else if (mirror && mirror->field.compare(field, Qt::CaseInsensitive) == 0)
            written = reference::InCase(value, mirror->modifier);
        filled += text.mid(done, open - done) + written;
        done = close + 1;
    }
    return filled + text.mid(done);
}

} // namespace

TEST(WordCase, SplitsWordsAsTheRulesSayAndWritesEveryStyle)
{
    const struct { const char* value; QStringList words; } examples[] = {
        {"HTTPServer", {"HTTP", "Server"}},
        {"XMLHttpRequest", {"XML", "Http", "Request"}},
        {"version2Id", {"version2", "Id"}},
        {"first name", {"first", "name"}},
        {"customer_id", {"customer", "id"}},
        {"  --a--  ", {"a"}},
        {"2fast4You", {"2fast4", "You"}},
        {"", {}},
    };
    for (const auto& example : examples)
        EXPECT_EQ(SplitIntoWords(QString::fromUtf8(example.value)), example.words) << example.value;

    const QStringList written = {"CustomerId", "customerId", "customer_id", "customer-id", "CUSTOMER_ID"};
    for (const WordCase style : {WordCase::Pascal, WordCase::Camel, WordCase::Snake, WordCase::Kebab, WordCase::Constant})
        EXPECT_EQ(InWordCase("customer ID", style), written[int(style) - int(WordCase::Pascal)]);
    EXPECT_EQ(InWordCase(QString::fromUtf8("straße 1"), WordCase::Upper), QString::fromUtf8("STRASSE 1"));
    EXPECT_EQ(InWordCase(QString::fromUtf8("ßig"), WordCase::Pascal), QString::fromUtf8("SSig")) << "full mapping";
    EXPECT_EQ(InWordCase("HTTPServer", WordCase::Lower), "httpserver") << "upper and lower do not split";

    // Every style against the rules written out as regular expressions, on texts full of
    // the awkward characters: both cases, digits, separators, a mark, a letter outside the
    // basic plane, an uncased letter, a title-case letter, the sharp s.
    const QStringList pieces = QString::fromUtf8("aAbB1 _-.xXé\u0301\u01C5\u00DF\u4E2D").split(QString(), Qt::SkipEmptyParts)
                               + QStringList{QString::fromUcs4(U"\U0001D400"), QString::fromUcs4(U"\U0001D41A")};
    const QStringList asciiPieces = QStringLiteral("aAbB1 _-.xX").split(QString(), Qt::SkipEmptyParts);
    std::mt19937 random(22);
    for (int i = 0; i < 4000; ++i) {
        const QString value = RandomText(random, i % 2 ? pieces : asciiPieces, 10);
        ASSERT_EQ(SplitIntoWords(value), reference::SplitWords(value)) << value.toStdString();
        for (qsizetype style = 0; style < WordCaseNames().size(); ++style)
            ASSERT_EQ(InWordCase(value, WordCase(style)), reference::InCase(value, WordCaseNames()[style]))
                << value.toStdString() << " " << WordCaseNames()[style].toStdString();
    }
}

TEST(Mirrors, StandForTheirFieldOnlyAfterAKnownModifierWithTheCounterAfterIt)
{
    const FieldModifiers& modifiers = FieldModifiers::standard();
    const struct { const char* marker; const char* field; } mirrors[] = {
        {"$Col:pascal!", "$Col!"},
        {"$Col:pascal0001!", "$Col0001!"},
        {"$Col:PASCAL00-5!", "$Col00-5!"},
        {"$Col0001:snake!", "$Col0001!"},
        {"$a:b:upper!", "$a:b!"},
        {"$Type:csharp0002!", "$Type0002!"},
    };
    for (const auto& mirror : mirrors) {
        const QString marker = QString::fromUtf8(mirror.marker); // the mirror's parts point into it
        const auto parsed = modifiers.mirrorOf(marker);
        ASSERT_TRUE(parsed) << mirror.marker;
        EXPECT_EQ(parsed->fieldMarker().toStdString(), mirror.field);
        EXPECT_TRUE(parsed->mirrors(QString(mirror.field).toLower()));
    }
    for (const char* plain : {"$Col!", "$Col:pascalx!", "$Col:!", "$:upper!", "$Col:tcl!", "$a$b:upper!", "$Col:0001!"})
        EXPECT_FALSE(modifiers.mirrorOf(QString::fromUtf8(plain))) << plain;
    EXPECT_FALSE(FieldModifiers().mirrorOf(QStringLiteral("$Type:csharp!"))) << "no map, no languages";
    EXPECT_TRUE(FieldModifiers().mirrorOf(QStringLiteral("$Type:kebab!")));
}

TEST(Mirrors, AreListedOnceAsTheirFieldAndFilledInTheirSpelling)
{
    const QString result = "class $Class:pascal! {\n"
                           "  $Type:csharp0001! $Col:pascal0001! { get; } // $col0001!\n"
                           "  $Type:csharp0002! $Col:pascal0002! { get; } // $Col:snake0002!\n}";
    EXPECT_EQ(ListFields(result).toList(),
              QStringList({"$Class!", "$Type0001!", "$Col0001!", "$Type0002!", "$Col0002!"}));
    EXPECT_EQ(ListFields(result, FieldModifiers()).toList(),
              QStringList({"$Class!", "$Type:csharp0001!", "$Col0001!", "$Type:csharp0002!", "$Col0002!"}));

    EXPECT_EQ(Filled(result, FillEdits(result, "$COL0001!", "first name")),
              "class $Class:pascal! {\n"
              "  $Type:csharp0001! FirstName { get; } // first name\n"
              "  $Type:csharp0002! $Col:pascal0002! { get; } // $Col:snake0002!\n}");
    const FieldFill fill = FillEdits(result, {{"$Type0001!", "character varying(50)"}, {"$Type0002!", "jsonb"},
                                              {"$Col0002!", "HTTPServer"}, {"$Class!", "order line"}});
    EXPECT_EQ(Filled(result, fill), "class OrderLine {\n"
                                    "  string $Col:pascal0001! { get; } // $col0001!\n"
                                    "  jsonb HttpServer { get; } // http_server\n}");
    EXPECT_EQ(fill.unmapped, QStringList({"jsonb"})) << "written as given, named for the status bar";

    // Numbering puts the counter after the modifier; the fields are numbered as ever.
    const AskValue two = [](const QString&) { return std::optional<QString>("2"); };
    const QString expanded = GenerateResult("[($Col:upper! = $col:camel!;\n|1|n)]", true, two).text;
    EXPECT_EQ(expanded, "$Col:upper0001! = $col:camel0001!;\n$Col:upper0002! = $col:camel0002!;\n");
    EXPECT_EQ(ListFields(expanded).toList(), QStringList({"$Col0001!", "$Col0002!"}));
    EXPECT_EQ(Filled(expanded, FillEdits(expanded, {{"$col0002!", "unit price"}})),
              "$Col:upper0001! = $col:camel0001!;\nUNIT PRICE = unitPrice;\n");
}

TEST(Mirrors, LeaveTemplatesWithoutThemAsBeforeAndFollowTheRulesInTemplatesWithThem)
{
    // No mirrors: ":" and modifier look-alikes everywhere, but never a marker ending in a
    // known modifier. Listing and both fills give exactly what they gave before.
    std::mt19937 random(2022);
    QStringList pieces = {"$", "!", "a", "A", ":", "0001", "-", "\n", "uppe", "$a:", "$a:x!", "$a:pasca!",
                          "$A0001!", ":pascalx!", "$:upper!", "$a:0001!"};
    for (int i = 0; i < 6000; ++i) {
        const QString text = RandomText(random, pieces, 14);
        ASSERT_EQ(ListFields(text).toList(), reference::ListFields(text)) << text.toStdString();
        for (const QString& marker : reference::ListFields(text)) {
            ASSERT_EQ(Filled(text, FillEdits(text, marker, "v")), FilledLiterally(text, marker, "v"))
                << text.toStdString() << " / " << marker.toStdString();
            ASSERT_EQ(Filled(text, FillEdits(text, {{marker, "v"}, {"$A0001!", "w"}})),
                      FilledAllLiterally(text, {{marker, "v"}, {"$A0001!", "w"}}))
                << text.toStdString() << " / " << marker.toStdString();
        }
    }

    // With mirrors: markers only, so the literal marker walk is the reference.
    pieces = {"$a!", "$A0001!", "$a:upper!", "$a:Pascal0001!", "$a0001:snake!", "$a:kebab00010001!",
              "$b:camel!", "$a:go!", "$a:bogus0001!", " ", "\n", "x:", "0001"};
    const QStringList values = {"first name", "HTTPServer", "int4", "x"};
    for (int i = 0; i < 6000; ++i) {
        const QString text = RandomText(random, pieces, 10);
        const QStringList fields = reference::ListFieldsWithMirrors(text);
        ASSERT_EQ(ListFields(text).toList(), fields) << text.toStdString();
        for (const QString& field : fields) {
            const QString value = values[random() % values.size()];
            if (text.contains(":go"))
                continue; // type-map spellings are the map's to check
            ASSERT_EQ(Filled(text, FillEdits(text, field, value)), FilledWithMirrorsLiterally(text, field, value))
                << text.toStdString() << " / " << field.toStdString();
            ASSERT_EQ(Filled(text, FillEdits(text, {{field, value}})), FilledWithMirrorsLiterally(text, field, value))
                << text.toStdString() << " / " << field.toStdString();
        }
    }
}
