#include "RunCommand.h"

#include "Dialogs.h"
#include "ResultPane.h"
#include "TextRules.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QTextEdit>

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

bool ShowExpansion(QWidget* parent, QTextEdit& resultPane, const QString& templateText,
                   const ExpansionResult& expansion)
{
    using Outcome = ExpansionResult::Outcome;
    switch (expansion.outcome) {
    case Outcome::Expanded:
        WriteResultPane(resultPane, expansion.text);
        return true;
    case Outcome::NoGroups:
        resultPane.setPlainText(templateText);
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
    case Outcome::Cancelled:
        return false;
    }
    return false;
}

void FillFieldsList(QListWidget& fields, const QString& resultText)
{
    fields.clear();
    fields.addItems(ListFields(resultText));
    if (fields.count() > 0)
        fields.setCurrentRow(0);
}
