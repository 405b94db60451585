#pragma once

#include <QString>

class QTextEdit;

// The template pane's change handler: raises the template modified flag when the pane's
// rich text differs from the copy kept at load, and recolours tokens and field markers
// when the character just typed closes one ("]" or "!").
// The flags and the loaded copy belong to the workspace; this class only reads and raises them.
class SourcePaneColourer
{
public:
    SourcePaneColourer(QTextEdit& pane, const QString& loadedCopy, const bool& resultBusy,
                       bool& templateModified);

    // Call from the pane's textChanged.
    void txtSource_Change();

private:
    QTextEdit& pane_;
    const QString& loadedCopy_;
    const bool& resultBusy_;
    bool& templateModified_;
    bool recolouring_ = false;
};
