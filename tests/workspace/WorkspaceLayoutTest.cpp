#include "WorkspaceLayout.h"

#include <gtest/gtest.h>

namespace {

WorkspaceGeometry Maximised(float width, float height)
{
    WorkspaceGeometry g;
    g.screenWidth = 19200;
    g.screenHeight = 12000;
    g.windowWidth = width;
    g.windowHeight = height;
    g.tvValues = {120, 960, 3135, 0};
    g.cboFields = {120, 0, 3105, 0};
    return g;
}

} // namespace

TEST(WorkspaceLayout, LaysOutBothColumnsInsideAMaximisedWindow)
{
    WorkspaceGeometry g = Maximised(12000, 9000);
    LayOutWorkspace(g);
    EXPECT_EQ(g.windowWidth, 12000) << "a maximised window keeps its size";
    EXPECT_EQ(g.fraTempalate, (TwipsRect{50, 340, 3375, 8100}));
    EXPECT_EQ(g.fraValue, g.fraTempalate);
    EXPECT_EQ(g.tvTempalates.height, 7000);
    EXPECT_EQ(g.tvValues.height, 5100);
    // The fields list takes the bottom 2000 twips of the value panel.
    EXPECT_EQ(g.cboFields.top, 6100);
    EXPECT_EQ(g.cboFields.height, 2000);
    EXPECT_EQ(g.tabList, (TwipsRect{1, 1, 8550, 9000}));
    EXPECT_EQ(g.tabBody, (TwipsRect{3450, 1, 8550, 9000}));
    EXPECT_EQ(g.fraSource, (TwipsRect{3450, 350, 8550, 8650}));
    EXPECT_EQ(g.txtSource, (TwipsRect{1, 1, 8550, 8650}));
    EXPECT_EQ(g.fraTarget, g.fraSource);
    EXPECT_EQ(g.txtTargetRightMargin, 8400);
    EXPECT_EQ(g.chkCS.left, 9400);
    EXPECT_EQ(g.cmdRun.left, 11100);
}

TEST(WorkspaceLayout, SkipsStepsThatWouldGiveNegativeSizes)
{
    WorkspaceGeometry g = Maximised(12000, 9000);
    LayOutWorkspace(g);
    const WorkspaceGeometry wide = g;

    // Narrower than the left column: the right column keeps its geometry, the left is laid out.
    g.windowWidth = 3000;
    g.windowHeight = 3500;
    LayOutWorkspace(g);
    EXPECT_EQ(g.fraSource, wide.fraSource);
    EXPECT_EQ(g.tabBody, wide.tabBody);
    EXPECT_EQ(g.txtSource, wide.txtSource);
    EXPECT_EQ(g.fraValue.height, 2600);
    // The value panel is below 3000: the tree keeps its old height and the list works from it.
    EXPECT_EQ(g.tvValues.height, wide.tvValues.height);
    EXPECT_EQ(g.cboFields.top, wide.tvValues.height + 1000);
    EXPECT_EQ(g.cboFields.height, wide.cboFields.height) << "a negative height is skipped too";
    EXPECT_EQ(g.cmdRun.left, 2100);
}

TEST(WorkspaceLayout, PinsANormalWindowToTheScreen)
{
    WorkspaceGeometry g = Maximised(5000, 4000);
    g.windowResizable = true;
    g.frameWidth = 120;
    g.frameHeight = 420;
    LayOutWorkspace(g);
    EXPECT_EQ(g.windowWidth, 19100);
    EXPECT_EQ(g.windowHeight, 10500);
    EXPECT_EQ(g.tabBody.width, 19100 - 120 - 3450) << "the client area follows the new size";
}
