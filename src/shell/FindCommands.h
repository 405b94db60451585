#pragma once

#include "Dialogs.h"
#include "TextPane.h"

#include <QString>

class QWidget;

// What Find and Find Next remember between uses, for the whole run.
struct FindState
{
    QString findText;
    QString replaceText;
    bool gbFindMode = false; // true after the dialog's Find button, false after Replace
    qint32 foundAt = 0;    // index of the last hit, -1 after a miss
};

// The one find state of the program.
FindState& ProgramFindState();

// Takes the find dialog's answer: Find searches `pane` from its first character, Replace
// rewrites every occurrence in `pane`. A closed dialog changes and does nothing.
// Returns true when Replace ran on the pane.
bool FindOrReplace(FindState& state, const FindRequest& request, TextPane pane);

// Searches again from one character after the last hit; after a miss, from the start.
// Does nothing until a Find has been made.
void FindNext(FindState& state, TextPane pane);

// What the status bar says after a search: that the text was not found after a miss,
// nothing otherwise.
QString FindStatus(const FindState& state);

// Edit > Find: asks through the find dialog, then finds or replaces in the focused pane.
// What a search from the menu did: whether Replace rewrote the pane, and the status bar's text.
struct FindOutcome
{
    bool replaced = false;
    QString status;
};

// Edit > Find: asks through the find dialog, then finds or replaces in the focused pane.
FindOutcome FindCommand(QWidget* owner, TextPane focusedPane);
// Edit > Find Next on the focused pane. Returns the status bar's text.
QString FindNextCommand(TextPane focusedPane);
