#include "FindCommands.h"

#include "PaneSearch.h"

FindState& ProgramFindState()
{
    static FindState state;
    return state;
}

void FindOrReplace(FindState& state, const FindRequest& request, TextPane pane)
{
    // Closing the dialog is a cancel: repeating the last replacement would edit the pane unasked.
    if (request.action == FindRequest::Action::Closed)
        return;
    state.gbFindMode = request.action == FindRequest::Action::Find;
    state.gsFindText = request.findText;
    state.gsReplaceText = request.replaceText;
    if (!pane)
        return;
    if (state.gbFindMode)
        state.glFoundAt = FindInPane(pane, state.gsFindText, 0);
    else
        ReplaceInPane(pane, state.gsFindText, state.gsReplaceText);
}

void FindNext(FindState& state, TextPane pane)
{
    if (!state.gbFindMode || !pane)
        return;
    state.glFoundAt = FindInPane(pane, state.gsFindText, state.glFoundAt + 1);
}

void FindCommand(QWidget* owner, TextPane focusedPane)
{
    FindOrReplace(ProgramFindState(), Dialogs::current().findDialog(owner), focusedPane);
}

void FindNextCommand(TextPane focusedPane)
{
    FindNext(ProgramFindState(), focusedPane);
}
