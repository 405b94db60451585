#pragma once

#include <QString>

class QTextEdit;

// The template pane's change handler: recolours tokens and field markers when the character
// just typed closes one ("]" or "!"). The result busy flag belongs to the workspace.
class SourcePaneColourer
{
public:
    SourcePaneColourer(QTextEdit& pane, const bool& resultBusy);

    // Call from the pane's textChanged.
    void templateTextChanged();

private:
    QTextEdit& pane_;
    const bool& resultBusy_;
    bool recolouring_ = false;
};
