#pragma once

// Geometry of the workspace window, in twips (1/1440 inch), relative to each control's container.
struct TwipsRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct WorkspaceGeometry
{
    float screenWidth = 0;
    float screenHeight = 0;
    // The window refuses a new size while maximised or minimised.
    bool windowResizable = false;
    float windowWidth = 0;
    float windowHeight = 0;
    // Outer size minus the inner drawing area (title bar and borders).
    float frameWidth = 0;
    float frameHeight = 0;

    TwipsRect fraTempalate, fraValue, tvTempalates, tvValues, cboFields;
    TwipsRect tabList, tabBody, fraSource, txtSource, fraTarget, txtTarget;
    TwipsRect chkCS, cmdRun;
    float txtSourceRightMargin = 0;
    float txtTargetRightMargin = 0;

    float clientWidth() const { return windowWidth - frameWidth; }
    float clientHeight() const { return windowHeight - frameHeight; }
};

// The resize layout: each step reads what the earlier ones left, and a step that would give
// a control a negative size (or resize a window that refuses it) is skipped, so the control
// keeps its previous geometry.
void LayOutWorkspace(WorkspaceGeometry& g);
