#pragma once

#include "Dialogs.h"

#include <QString>

#include "TextPane.h"

class QWidget;

// What Find and Find Next remember between uses, for the whole run.
struct FindState
{
    QString gsFindText;
    QString gsReplaceText;
    bool gbFindMode = false; // true after the dialog's Find button, false after Replace
    qint32 glFoundAt = 0;    // index of the last hit, -1 after a miss
};

// The one find state of the program.
FindState& ProgramFindState();

// Takes the find dialog's answer: Find searches `pane` from its first character, Replace
// rewrites every occurrence in `pane`. A closed dialog changes and does nothing.
void FindOrReplace(FindState& state, const FindRequest& request, TextPane pane);

// Searches again from one character after the last hit; after a miss, from the start.
// Does nothing until a Find has been made.
void FindNext(FindState& state, TextPane pane);

// Edit > Find: asks through the find dialog, then finds or replaces in the focused pane.
void FindCommand(QWidget* owner, TextPane focusedPane);
// Edit > Find Next on the focused pane.
void FindNextCommand(TextPane focusedPane);
