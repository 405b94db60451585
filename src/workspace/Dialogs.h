#pragma once

#include "Expansion.h"
#include "FindRequest.h"

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

// Every modal dialog the program shows goes through here, so tests can answer them.
// The base class shows the real Qt dialogs; a test installs a subclass that answers from a script.
class Dialogs
{
public:
    enum class Icon { None, Critical, Information, Warning };

    virtual ~Dialogs() = default;

    // A message box with an OK button, titled "Vellumatic".
    virtual void message(QWidget* parent, const QString& text, Icon icon);
    // An input box; nullopt when the user cancelled it.
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultText);
    // A Yes/No question titled "Vellumatic"; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text);
    // A question titled "Vellumatic" with one button for each of `choices`, the first the default;
    // the index of the one chosen. Escape and the close box choose the last, so make it the
    // answer that changes nothing.
    virtual int choose(QWidget* parent, const QString& text, const QStringList& choices);
    // The connection dialog: the connection string of the database to import from, password
    // included (never store or show it); nullopt when the user cancelled.
    virtual std::optional<QString> connectionString(QWidget* parent);
    // The find dialog, created afresh with empty boxes.
    virtual FindRequest findDialog(QWidget* parent);
    // The print dialog on `printer`; true for OK, which leaves the user's choices in `printer`.
    virtual bool printDialog(QWidget* parent, QPrinter& printer);
    // A save-file dialog; nullopt when the user cancelled it.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& filter);
    // A dialog that picks a folder, starting in `start`; nullopt when the user cancelled it.
    virtual std::optional<QString> folderName(QWidget* parent, const QString& caption, const QString& start);
    // An open-file dialog; nullopt when the user cancelled it.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter);

    // One dialog for every bound name of a run, each field starting from `lastAnswers`;
    // the answers in the names' order, all whole numbers, or nullopt when the user cancelled.
    virtual std::optional<QStringList> boundAnswers(QWidget* parent, const QStringList& names,
                                                    const QStringList& lastAnswers);
    // Progress of a run: shows a dialog with Cancel once the run is long enough to need one.
    virtual ExpansionProgress runProgress(QWidget* parent);

    // Shows a window of the program's own (help, About) modally until the user dismisses it.
    virtual void showModal(QDialog& window);
    // Shows a dialog of the program's own with OK and Cancel modally; true when it was accepted.
    virtual bool accepted(QDialog& dialog);

    // The dialogs in use; the real ones until a test installs others.
    static Dialogs& current();
    // Installs dialogs (not owned) and returns the previous ones; nullptr restores the real ones.
    static Dialogs* install(Dialogs* dialogs);
};
