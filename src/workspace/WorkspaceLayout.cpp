#include "WorkspaceLayout.h"

namespace {

// The left edge where the right column starts, and its top below the tab captions.
constexpr float kColumnSplit = 3450;
constexpr float kPaneTop = 350;
constexpr float kWrapInset = 150;

void move(TwipsRect& r, float left, float top, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    r = {left, top, width, height};
}

void setHeight(TwipsRect& r, float height)
{
    if (height >= 0)
        r.height = height;
}

void setMargin(float& margin, float value)
{
    if (value >= 0)
        margin = value;
}

} // namespace

void LayOutWorkspace(WorkspaceGeometry& g)
{
    if (g.windowResizable) {
        if (const float w = g.screenWidth - 100; w >= 0)
            g.windowWidth = w;
        if (const float h = g.screenHeight - 1500; h >= 0)
            g.windowHeight = h;
    }
    move(g.fraTempalate, 50, 340, 3375, g.windowHeight - 900);
    move(g.fraValue, 50, 340, 3375, g.windowHeight - 900);
    setHeight(g.tvTempalates, g.fraTempalate.height - 1100);
    setHeight(g.tvValues, g.fraValue.height - 3000);
    g.cboFields.top = g.tvValues.height + 1000;
    setHeight(g.cboFields, g.fraValue.height - g.tvValues.height - 1000);
    move(g.tabList, 1, 1, g.clientWidth() - kColumnSplit, g.clientHeight());
    move(g.tabBody, kColumnSplit, 1, g.clientWidth() - kColumnSplit, g.clientHeight());
    move(g.fraSource, kColumnSplit, kPaneTop, g.clientWidth() - kColumnSplit, g.clientHeight() - kPaneTop);
    move(g.txtSource, 1, 1, g.fraSource.width, g.fraSource.height);
    setMargin(g.txtSourceRightMargin, g.txtSource.width - kWrapInset);
    move(g.fraTarget, kColumnSplit, kPaneTop, g.tabBody.width, g.tabBody.height - kPaneTop);
    move(g.txtTarget, 1, 1, g.fraTarget.width, g.fraTarget.height);
    setMargin(g.txtTargetRightMargin, g.txtTarget.width - kWrapInset);
    g.chkCS.left = g.windowWidth - 2600;
    g.cmdRun.left = g.windowWidth - 900;
}
