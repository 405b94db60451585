#pragma once

#include "Expansion.h"
#include "FieldModifiers.h"

class FieldsList;
class QString;
class ResultView;
class QWidget;

// The steps of Run that sit between the expansion and the widgets.

// Asks every bound name of the template in one dialog over `parent`, each field holding the
// last answer given for that name in the template `templateKey`, and remembers the new
// answers. A name found in `shown` (the numbers the preview uses) starts from that instead.
// Nullopt when the user cancelled; empty answers when the template names no bound.
std::optional<BoundAnswers> AskBounds(QWidget* parent, const QString& templateKey, const QString& templateText,
                                      const BoundAnswers& shown = {});

// Shows what an expansion came to: the result written (caret at the end), the template
// copied unchanged when it has no groups, or the reason it was refused (where a template
// fails to parse, which bound stopped it). A cancelled run leaves the pane
// as it was. Returns true when the pane was rewritten. The expanded text is moved into the
// pane, not copied: a long result is the largest thing a Run holds.
bool ShowExpansion(QWidget* parent, ResultView& resultPane, const QString& templateText,
                   ExpansionResult& expansion);

// Fills the list with every distinct field marker of the result and selects the first.
// Mirrors are listed as the fields they mirror, by `modifiers`.
void FillFieldsList(FieldsList& fields, const QString& resultText,
                    const FieldModifiers& modifiers = FieldModifiers::standard());
