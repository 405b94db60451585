#pragma once

#include "Expansion.h"

class FieldsList;
class ResultView;
class QWidget;

// The steps of Run that sit between the expansion and the widgets.

// The prompt for a named bound: an input box over `parent`; Cancel gives nullopt. The busy
// cursor, if any, gives way while the box waits for the user.
AskValue AskInInputBox(QWidget* parent);

// Shows what an expansion came to: the result written (caret at the end), the template
// copied unchanged when it has no groups, or the reason it was refused. A silent stop
// leaves the pane as it was. Returns true when the pane was rewritten.
bool ShowExpansion(QWidget* parent, ResultView& resultPane, const QString& templateText,
                   const ExpansionResult& expansion);

// Fills the list with every distinct field marker of the result and selects the first.
void FillFieldsList(FieldsList& fields, const QString& resultText);
