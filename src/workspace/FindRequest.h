#pragma once

#include <QString>

// What the user did in the find dialog: the button pressed with both texts, or closed it.
struct FindRequest
{
    enum class Action { Closed, Find, Replace };
    Action action = Action::Closed;
    QString findText;
    QString replaceText;
};
