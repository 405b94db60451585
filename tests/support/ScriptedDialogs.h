#pragma once

#include "Dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

// Answers the program's dialogs from a script and records what they asked, instead of showing them.
class ScriptedDialogs : public Dialogs
{
public:
    struct Message
    {
        QString text;
        Icon icon;
    };
    struct Prompt
    {
        QString prompt;
        QString title;
        QString defaultText;
    };

    ScriptedDialogs() { previous_ = Dialogs::install(this); }
    ~ScriptedDialogs() override { Dialogs::install(previous_); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void message(QWidget*, const QString& text, Icon icon) override { messages.append({text, icon}); }
    std::optional<QString> input(QWidget*, const QString& prompt, const QString& title,
                                 const QString& defaultText) override
    {
        prompts.append({prompt, title, defaultText});
        if (inputAnswers.isEmpty())
            return std::nullopt; // an unscripted input box is cancelled
        return inputAnswers.takeFirst();
    }
    bool confirm(QWidget*, const QString& text) override
    {
        confirmations << text;
        if (onConfirm)
            onConfirm(); // what the user does while the question is open
        return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
    }

    std::optional<QString> connectionString(QWidget*) override
    {
        ++connectionRequests;
        if (connectionAnswers.isEmpty())
            return std::nullopt; // an unscripted connection dialog is cancelled
        return connectionAnswers.takeFirst();
    }
    FindRequest findDialog(QWidget*) override
    {
        ++findDialogsShown;
        return findAnswers.isEmpty() ? FindRequest{} : findAnswers.takeFirst(); // unscripted: closed
    }
    bool printDialog(QWidget*, QPrinter& printer) override
    {
        ++printDialogsShown;
        return printAnswers.isEmpty() ? false : printAnswers.takeFirst()(printer); // unscripted: Cancel
    }
    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString&) override
    {
        saveCaptions << caption;
        return saveFileAnswers.isEmpty() ? std::nullopt : saveFileAnswers.takeFirst();
    }

    std::optional<QStringList> boundAnswers(QWidget*, const QStringList& names,
                                            const QStringList& lastAnswers) override
    {
        boundRequests.append({names, lastAnswers});
        if (boundAnswerScript.isEmpty())
            return std::nullopt; // an unscripted bounds dialog is cancelled
        return boundAnswerScript.takeFirst();
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

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message& m : messages)
            texts << m.text;
        return texts;
    }

    // Answers in order; std::nullopt stands for Cancel.
    QList<std::optional<QString>> inputAnswers;
    QList<bool> confirmAnswers;
    QList<std::optional<QString>> connectionAnswers;
    QList<FindRequest> findAnswers;
    // Each answer sees the printer the dialog was opened on, may change it as the user
    // would, and returns true for OK.
    QList<std::function<bool(QPrinter&)>> printAnswers;
    QList<std::optional<QString>> saveFileAnswers;
    std::function<void(QDialog&)> onShowModal;
    std::function<void()> onConfirm;
    QList<std::optional<QStringList>> boundAnswerScript;
    qsizetype cancelProgressAt = -1;

    QList<Message> messages;
    QList<Prompt> prompts;
    QStringList confirmations;
    int connectionRequests = 0;
    int findDialogsShown = 0;
    int printDialogsShown = 0;
    QStringList saveCaptions;
    QStringList modalWindows;
    struct BoundRequest
    {
        QStringList names;
        QStringList lastAnswers;
    };
    QList<BoundRequest> boundRequests;
    QList<std::pair<qint64, qint64>> progressReports;

private:
    Dialogs* previous_ = nullptr;
};
