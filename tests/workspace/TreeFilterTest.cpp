#include "ClosedBook.h"
#include "TreeFilter.h"
#include "WorkspaceTestSupport.h"

namespace {

// Main > Orders > (OrderId, CustomerId), Main > Customers > (CustomerId, Name), Main > Notes
class TreeFilterTest : public testing::Test
{
protected:
    TreeFilterTest()
    {
        tree.loadNodes({"key-1", QString(), "Main", 1},
                       {{"key2", "key-1", "Orders", 3}, {"key3", "key2", "OrderId", 3}, {"key4", "key2", "CustomerId", 3},
                        {"key5", "key-1", "Customers", 3}, {"key6", "key5", "CustomerId", 3},
                        {"key7", "key5", "Name", 3}, {"key8", "key-1", "Notes", 3}});
    }
    QString shown() const
    {
        QString keys;
        for (const char* key : {"key-1", "key2", "key3", "key4", "key5", "key6", "key7", "key8"})
            keys += tree.node(key)->isHidden() ? "" : QString(key).mid(3);
        return keys;
    }
    CatalogueTree tree;
};

TEST_F(TreeFilterTest, KeepsMatchesAndTheirAncestorsOpenTheSelectionAsItWasAndGroupsLookDifferent)
{
    tree.node("key5")->setExpanded(false);
    tree.selectNode("key7");
    const std::tuple<const char*, int, const char*> cases[] = {
        {"customerid", 2, "-12456"}, {"Orders", 1, "-12"}, {"ord", 2, "-123"}, {"main", 1, "-1"},
        {"no such", 0, ""}, {"CUSTOMERID", 2, "-12456"}, {"", 8, "-12345678"},
    };
    for (const auto& [text, matches, keys] : cases) {
        EXPECT_EQ(FilterTree(tree, text), matches) << text;
        EXPECT_EQ(shown(), keys) << text;
    }
    EXPECT_TRUE(tree.node("key5")->isExpanded()) << "the way to a match is opened";
    EXPECT_EQ(tree.selectedKey(), "key7");
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
    WorkspaceWindow doc(app.dataPath());
    doc.selectListTab(1);
    auto* filter = control<QLineEdit>(doc, "valueFilter");
    QTest::keyClicks(filter, "id");
    EXPECT_TRUE(doc.valueTree()->node("key4")->isHidden());
    EXPECT_FALSE(doc.valueTree()->node("key3")->isHidden());
    EXPECT_FALSE(doc.templateTree()->node("key2")->isHidden()) << "the other tree is left alone";
    filter->clear();
    EXPECT_FALSE(doc.valueTree()->node("key4")->isHidden());
}

} // namespace
