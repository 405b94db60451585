#include "RunCommand.h"

#include "BoundAnswerRules.h"
#include "Dialogs.h"
#include "FieldsList.h"
#include "ResultView.h"
#include "TextRules.h"
#include "WorkspaceSettings.h"

#include <QGuiApplication>
#include <QSettings>

namespace {

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

std::optional<BoundAnswers> AskBounds(QWidget* parent, const QString& templateKey, const QString& templateText,
                                      const BoundAnswers& shown)
{
    const QStringList names = BoundNames(templateText);
    BoundAnswers answers;
    if (names.isEmpty())
        return answers;
    QSettings settings = UserSettings();
    std::optional<QStringList> given;
    {
        CursorForUser cursor;
        QStringList starting = RememberedAnswers(settings, templateKey, names);
        for (qsizetype i = 0; i < names.size(); ++i)
            starting[i] = shown.Find(names[i]).value_or(starting[i]);
        given = Dialogs::current().boundAnswers(parent, names, starting);
    }
    if (!given)
        return std::nullopt;
    RememberAnswers(settings, templateKey, names, *given);
    for (qsizetype i = 0; i < names.size(); ++i)
        answers.Set(names[i], given->value(i));
    return answers;
}

bool ShowExpansion(QWidget* parent, ResultView& resultPane, const QString& templateText,
                   ExpansionResult& expansion)
{
    using Outcome = ExpansionResult::Outcome;
    switch (expansion.outcome) {
    case Outcome::Expanded:
        resultPane.showResult(std::move(expansion.text));
        return true;
    case Outcome::NoGroups:
        resultPane.showResult(templateText, ResultDocument::Markers::Plain);
        return true;
    case Outcome::ParseFailed: {
        CursorForUser cursor;
        const QString text = expansion.errorReason.isEmpty()
                                 ? expansion.message
                                 : expansion.message + QStringLiteral("\n\n") + expansion.errorReason + u'.';
        Dialogs::current().message(parent, text, Dialogs::Icon::None);
        return false;
    }
    case Outcome::Stopped: // names the bound that cannot be used
    case Outcome::TooLarge: {
        CursorForUser cursor;
        Dialogs::current().message(parent, expansion.message, Dialogs::Icon::Warning);
        return false;
    }
    case Outcome::Cancelled:
        return false;
    }
    return false;
}

void FillFieldsList(FieldsList& fields, const QString& resultText, const FieldModifiers& modifiers)
{
    fields.setFields(ListFields(resultText, modifiers));
}
