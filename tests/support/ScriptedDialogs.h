#pragma once

#include "Dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

// Answers the program's dialogs from a script and records what they asked, instead of showing them.
// An unscripted dialog is cancelled (closed, for the find dialog).
class ScriptedDialogs : public Dialogs
{
public:
    struct Message { QString text; Icon icon; };
    struct Prompt { QString prompt; QString title; QString defaultText; };
    struct BoundRequest { QStringList names; QStringList lastAnswers; };
    struct Question { QString text; QStringList choices; };

    ScriptedDialogs() { previous_ = Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(previous_); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void message(QWidget*, const QString& text, Icon icon) override { messages.append({text, icon}); }
    std::optional<QString> input(QWidget*, const QString& prompt, const QString& title, const QString& defaultText) override
    {
        prompts.append({prompt, title, defaultText});
        return next(inputAnswers);
    }
    bool confirm(QWidget*, const QString& text) override
    {
        confirmations << text;
        if (onConfirm)
            onConfirm(); // what the user does while the question is open
        return next(confirmAnswers, false);
    }
    // Answered by index into the choices; unscripted, the last (the one that changes nothing).
    int choose(QWidget*, const QString& text, const QStringList& choices) override
    {
        questions.append({text, choices});
        return next(choiceAnswers, int(choices.size()) - 1);
    }
    std::optional<QString> connectionString(QWidget*) override { ++connectionRequests; return next(connectionAnswers); }
    FindRequest findDialog(QWidget*) override { return next(findAnswers, FindRequest{}); }
    bool printDialog(QWidget*, QPrinter& printer) override
    {
        ++printDialogsShown;
        return !printAnswers.isEmpty() && printAnswers.takeFirst()(printer);
    }
    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString&) override
    {
        saveCaptions << caption;
        return next(saveFileAnswers);
    }
    std::optional<QString> folderName(QWidget*, const QString& caption, const QString&) override
    {
        folderCaptions << caption;
        return next(folderAnswers);
    }
    std::optional<QString> openFileName(QWidget*, const QString& caption, const QString&) override
    {
        openCaptions << caption;
        return next(openFileAnswers);
    }
    std::optional<QStringList> boundAnswers(QWidget*, const QStringList& names, const QStringList& last) override
    {
        boundRequests.append({names, last});
        return next(boundAnswerScript);
    }
    // Records every report and cancels the run at the report cancelProgressAt (counted from 1).
    ExpansionProgress runProgress(QWidget*) override
    {
        return [this](qint64 done, qint64 total) {
            progressReports.append({done, total});
            return progressReports.size() != cancelProgressAt;
        };
    }
    // The program's own windows (help, About) are recorded and handed to onShowModal, not waited on.
    void showModal(QDialog& window) override
    {
        modalWindows << window.objectName();
        if (onShowModal)
            onShowModal(window);
    }

    // A dialog of the program's own is handed to onDialog, which works it as the user would
    // and accepts or rejects it; unscripted, it is rejected.
    bool accepted(QDialog& dialog) override
    {
        dialogsShown << dialog.objectName();
        if (onDialog)
            onDialog(dialog);
        return dialog.result() == QDialog::Accepted;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message& m : messages)
            texts << m.text;
        return texts;
    }

    // Answers in order; std::nullopt stands for Cancel. Each print answer sees the printer the
    // dialog was opened on, may change it as the user would, and returns true for OK.
    QList<std::optional<QString>> inputAnswers, connectionAnswers, saveFileAnswers, openFileAnswers, folderAnswers;
    QList<bool> confirmAnswers;
    QList<int> choiceAnswers;
    QList<FindRequest> findAnswers;
    QList<std::function<bool(QPrinter&)>> printAnswers;
    QList<std::optional<QStringList>> boundAnswerScript;
    std::function<void(QDialog&)> onShowModal, onDialog;
    std::function<void()> onConfirm;
    qsizetype cancelProgressAt = -1;

    // What was asked, in order.
    QList<Message> messages;
    QList<Prompt> prompts;
    QList<BoundRequest> boundRequests;
    QList<Question> questions;
    QList<std::pair<qint64, qint64>> progressReports;
    QStringList confirmations, saveCaptions, openCaptions, folderCaptions, modalWindows, dialogsShown;
    int connectionRequests = 0, printDialogsShown = 0;

private:
    template <typename T> static T next(QList<T>& answers, T unscripted = {})
    {
        return answers.isEmpty() ? unscripted : answers.takeFirst();
    }

    Dialogs* previous_ = nullptr;
};
