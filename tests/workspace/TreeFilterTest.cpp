#include "ClosedBook.h"
#include "TreeFilter.h"
#include "WorkspaceTestSupport.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Main > Orders > (OrderId, CustomerId), Main > Customers > (CustomerId, Name), Main > Notes
CatalogueTree* sampleTree(CatalogueTree& tree)
{
    tree.loadNodes({"key-1", QString(), "Main", 1},
                   {{"key2", "key-1", "Orders", 3},
                    {"key3", "key2", "OrderId", 3},
                    {"key4", "key2", "CustomerId", 3},
                    {"key5", "key-1", "Customers", 3},
                    {"key6", "key5", "CustomerId", 3},
                    {"key7", "key5", "Name", 3},
                    {"key8", "key-1", "Notes", 3}});
    return &tree;
}

QStringList shown(const CatalogueTree& tree)
{
    QStringList keys;
    for (const char* key : {"key-1", "key2", "key3", "key4", "key5", "key6", "key7", "key8"})
        if (!tree.node(key)->isHidden())
            keys << key;
    return keys;
}

TEST(TreeFilter, KeepsMatchesAndTheirAncestorsOnly)
{
    const struct
    {
        const char* text;
        int matches;
        QStringList shown;
    } cases[] = {
        {"customerid", 2, {"key-1", "key2", "key4", "key5", "key6"}},
        {"Orders", 1, {"key-1", "key2"}},
        {"ord", 2, {"key-1", "key2", "key3"}},
        {"main", 1, {"key-1"}},
        {"no such", 0, {}},
        {"", 8, {"key-1", "key2", "key3", "key4", "key5", "key6", "key7", "key8"}},
    };
    CatalogueTree tree;
    sampleTree(tree);
    for (const auto& c : cases) {
        EXPECT_EQ(FilterTree(tree, QString::fromLatin1(c.text)), c.matches) << c.text;
        EXPECT_EQ(shown(tree), c.shown) << c.text;
    }
}

TEST(TreeFilter, OpensTheWayToMatchesAndKeepsTheSelection)
{
    CatalogueTree tree;
    sampleTree(tree);
    tree.node("key5")->setExpanded(false);
    tree.selectNode("key7");
    FilterTree(tree, "CUSTOMERID");
    EXPECT_TRUE(tree.node("key5")->isExpanded());
    EXPECT_TRUE(tree.node("key7")->isHidden());
    FilterTree(tree, "");
    EXPECT_EQ(tree.selectedKey(), "key7");
    EXPECT_FALSE(tree.node("key7")->isHidden());
}

TEST(TreeFilter, GroupsAndLeavesLookDifferentAndNamesShowInFull)
{
    CatalogueTree tree;
    sampleTree(tree);
    auto icon = [&](const char* key) { return tree.node(key)->icon(0).cacheKey(); };
    EXPECT_EQ(icon("key2"), GroupIcon().cacheKey());
    EXPECT_EQ(icon("key3"), LeafIcon().cacheKey());
    EXPECT_NE(GroupIcon().pixmap(16).toImage(), LeafIcon().pixmap(16).toImage());
    tree.removeNode("key7");
    tree.removeNode("key6");
    EXPECT_EQ(icon("key5"), LeafIcon().cacheKey()) << "a group emptied is a leaf";
    tree.addNode("key8", "key9", "x", 3);
    EXPECT_EQ(icon("key8"), GroupIcon().cacheKey());
    EXPECT_EQ(tree.node("key4")->toolTip(0), "CustomerId");
}

TEST_F(WorkspaceTest, TypingInAFilterFieldNarrowsItsTreeOnly)
{
    app.writeDataFile("Values.app", CatalogueFile({"2|Orders|-1|0|3", "3|OrderId|2|0|3", "4|Name|2|0|3"}));
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|Insert orders|-1|0|3"}));
    app.writeDataFile("TMP_key2", kNewBody);
    WorkspaceWindow doc(app.dataPath());
    doc.selectListTab(1);
    doc.valueTree()->selectNode("key4");
    auto* filter = control<QLineEdit>(doc, "valueFilter");
    QTest::keyClicks(filter, "id");
    EXPECT_TRUE(doc.valueTree()->node("key4")->isHidden());
    EXPECT_FALSE(doc.valueTree()->node("key3")->isHidden());
    EXPECT_FALSE(doc.templateTree()->node("key2")->isHidden()) << "the other tree is left alone";
    filter->clear();
    EXPECT_FALSE(doc.valueTree()->node("key4")->isHidden());
    EXPECT_EQ(doc.valueTree()->selectedKey(), "key4");
}

} // namespace
