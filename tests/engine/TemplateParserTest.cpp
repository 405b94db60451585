#include "TemplateParser.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Parsed
{
    TokenDocument document;
    bool ok;

    explicit Parsed(const QString& text) : ok(TemplateParser(document, text).ParseTemplate()) {}

    // The nodes' values, or their `attribute`.
    QStringList values(const char* query, const char* attribute = nullptr) const
    {
        QStringList values;
        for (const pugi::xpath_node& node : document.SelectNodes(QString::fromLatin1(query)))
            values.append(attribute ? QString::fromUtf8(node.node().attribute(attribute).value())
                                    : TokenDocument::ValueOf(node));
        return values;
    }

    std::string xml() const
    {
        std::ostringstream out;
        document.Document().save(out, "", pugi::format_raw | pugi::format_no_declaration);
        return out.str();
    }
};

} // namespace

TEST(TemplateParser, ParsesWellFormedTemplatesIntoTheDocumentAndRejectsMalformedOnes)
{
    for (const char* text : {"", "no tokens", "[(x|1|3)]", "[(a|1|n)(b|2|n+1)]", "int $v!;[(x|1|2)] arr[i]",
                             "[ (a|1|2)]", "[", "a[", "[(f(x)|1|2)]", "[(|1|3)]", "[(a| |2)]", "[(a|-2|2.5)]",
                             "[(line\none|1|2)]", "[([|1|2)]", "[(a|n-2|1)]"})
        EXPECT_TRUE(Parsed(QString::fromUtf8(text)).ok) << text;
    for (const char* text : {"[(a|n+|2)]", "[(", "[(a|1|2)x", "[(a|ab|2)]", "[(a|1+2|2)]", "[(a|1|2]"})
        EXPECT_FALSE(Parsed(QString::fromUtf8(text)).ok) << text;
    for (const char* bound : {"1", "12", "2.5", "n", "7", " ", "$", "n+1", "n-2", "N-2.5", "-5", ".5", "+-5"})
        EXPECT_TRUE(IsValidBound(QString::fromLatin1(bound))) << bound;
    for (const char* bound : {"", "x1", "n+", "1+2", "ab", "n*2", "n+x"})
        EXPECT_FALSE(IsValidBound(QString::fromLatin1(bound))) << bound;

    // The document, with exact names and attribute order.
    EXPECT_EQ(Parsed("[(x|1|3)]").xml(),
              "<String Value=\"[(x|1|3)]\"><Tokens><Token Id=\"0\" Value=\"[(x|1|3)]\"><SubTokens>"
              "<SubToken Id=\"0\" Value=\"(x|1|3)\"><Items><Item Id=\"0\" Value=\"x\"/>"
              "<Item Id=\"1\" Value=\"1\"/><Item Id=\"2\" Value=\"3\"/></Items></SubToken>"
              "</SubTokens></Token></Tokens></String>");
    EXPECT_EQ(Parsed("plain").xml(), "<String Value=\"plain\"><Tokens/></String>");

    // A literal bracket uses up a token id, group ids run across tokens, a failure keeps earlier tokens.
    const Parsed literal("[a] [(f(x)\n$a!|1|2)]");
    ASSERT_TRUE(literal.ok);
    EXPECT_EQ(literal.values("//Tokens/Token"), QStringList({"", "[(f(x)\n$a!|1|2)]"}));
    EXPECT_EQ(literal.values("//Tokens/Token[@Id='1']/SubTokens/SubToken/Items/Item[@Id='0']"),
              QStringList({"f(x)\n$a!"}));

    const Parsed groups("[(a|1|2)(b|3|4)] [(|5|n-1)]");
    ASSERT_TRUE(groups.ok);
    EXPECT_EQ(groups.values("//SubToken", "Id"), QStringList({"0", "1", "2"}));
    EXPECT_EQ(groups.values("//Item"), QStringList({"a", "1", "2", "b", "3", "4", "", "5", "n-1"}));

    const Parsed parsed("[(a|1|2)] [(b|x1|2)]");
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.values("//Tokens/Token"), QStringList({"[(a|1|2)]", ""}));
}

