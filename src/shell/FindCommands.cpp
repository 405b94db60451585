#include "FindCommands.h"

#include "PaneSearch.h"

FindState& ProgramFindState()
{
    static FindState state;
    return state;
}

bool FindOrReplace(FindState& state, const FindRequest& request, TextPane pane)
{
    // Closing the dialog is a cancel: repeating the last replacement would edit the pane unasked.
    if (request.action == FindRequest::Action::Closed)
        return false;
    state.gbFindMode = request.action == FindRequest::Action::Find;
    state.gsFindText = request.findText;
    state.gsReplaceText = request.replaceText;
    if (!pane)
        return false;
    if (state.gbFindMode) {
        state.glFoundAt = FindInPane(pane, state.gsFindText, 0);
        return false;
    }
    ReplaceInPane(pane, state.gsFindText, state.gsReplaceText);
    return true;
}

void FindNext(FindState& state, TextPane pane)
{
    if (!state.gbFindMode || !pane)
        return;
    state.glFoundAt = FindInPane(pane, state.gsFindText, state.glFoundAt + 1);
}

QString FindStatus(const FindState& state)
{
    if (!state.gbFindMode || state.glFoundAt >= 0)
        return QString();
    return QStringLiteral(" \"%1\" not found").arg(state.gsFindText);
}

FindOutcome FindCommand(QWidget* owner, TextPane focusedPane)
{
    FindState& state = ProgramFindState();
    const FindRequest request = Dialogs::current().findDialog(owner);
    FindOutcome outcome;
    outcome.replaced = FindOrReplace(state, request, focusedPane);
    if (request.action != FindRequest::Action::Closed && focusedPane)
        outcome.status = FindStatus(state);
    return outcome;
}

QString FindNextCommand(TextPane focusedPane)
{
    FindState& state = ProgramFindState();
    if (!focusedPane)
        return QString();
    FindNext(state, focusedPane);
    return FindStatus(state);
}
