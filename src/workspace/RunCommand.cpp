#include "RunCommand.h"

#include "Dialogs.h"
#include "FieldsList.h"
#include "ResultView.h"
#include "TextRules.h"

#include <QGuiApplication>

namespace {

const QString kTitle = QStringLiteral("Vellumatic");

// Lifts the busy cursor for as long as the object lives, if one is shown.
class CursorForUser
{
public:
    CursorForUser()
        : lifted_(QGuiApplication::overrideCursor() != nullptr)
    {
        if (lifted_)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~CursorForUser()
    {
        if (lifted_)
            QGuiApplication::restoreOverrideCursor();
    }
    CursorForUser(const CursorForUser&) = delete;
    CursorForUser& operator=(const CursorForUser&) = delete;

private:
    bool lifted_;
};

} // namespace

AskValue AskInInputBox(QWidget* parent)
{
    return [parent](const QString& prompt) {
        CursorForUser cursor;
        return Dialogs::current().input(parent, prompt, kTitle, QString());
    };
}

bool ShowExpansion(QWidget* parent, ResultView& resultPane, const QString& templateText,
                   const ExpansionResult& expansion)
{
    using Outcome = ExpansionResult::Outcome;
    switch (expansion.outcome) {
    case Outcome::Expanded:
        resultPane.showResult(expansion.text);
        return true;
    case Outcome::NoGroups:
        resultPane.showResult(templateText, ResultDocument::Markers::Plain);
        return true;
    case Outcome::ParseFailed: {
        CursorForUser cursor;
        Dialogs::current().message(parent, expansion.message, Dialogs::Icon::None);
        return false;
    }
    case Outcome::TooLarge: {
        CursorForUser cursor;
        Dialogs::current().message(parent, expansion.message, Dialogs::Icon::Warning);
        return false;
    }
    case Outcome::Stopped:
        return false;
    }
    return false;
}

void FillFieldsList(FieldsList& fields, const QString& resultText)
{
    fields.setFields(ListFields(resultText));
}
