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
    state.findText = request.findText;
    state.replaceText = request.replaceText;
    if (!pane)
        return false;
    if (state.gbFindMode) {
        state.foundAt = FindInPane(pane, state.findText, 0);
        return false;
    }
    ReplaceInPane(pane, state.findText, state.replaceText);
    return true;
}

void FindNext(FindState& state, TextPane pane)
{
    if (!state.gbFindMode || !pane)
        return;
    state.foundAt = FindInPane(pane, state.findText, state.foundAt + 1);
}

QString FindStatus(const FindState& state)
{
    if (!state.gbFindMode || state.foundAt >= 0)
        return QString();
    return QStringLiteral(" \"%1\" not found").arg(state.findText);
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
