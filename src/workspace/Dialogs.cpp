#include "Dialogs.h"

#include "BoundsDialog.h"
#include "ConnectionDialog.h"
#include "FindDialog.h"
#include "RunProgress.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("Vellumatic");

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

Dialogs realDialogs;
Dialogs* installed = nullptr;

} // namespace

void Dialogs::message(QWidget* parent, const QString& text, Icon icon)
{
    QMessageBox box(toQt(icon), kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> Dialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                                      const QString& defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title.isEmpty() ? kTitle : title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool Dialogs::confirm(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, kTitle, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int Dialogs::choose(QWidget* parent, const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return int(chosen < 0 ? buttons.size() - 1 : chosen);
}

void Dialogs::showModal(QDialog& window)
{
    window.exec();
}

bool Dialogs::accepted(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> Dialogs::connectionString(QWidget* parent)
{
    ConnectionDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.connectionString();
}

FindRequest Dialogs::findDialog(QWidget* parent)
{
    FindDialog dialog(parent);
    return dialog.ask();
}

bool Dialogs::printDialog(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> Dialogs::saveFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    const QString name = QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> Dialogs::folderName(QWidget* parent, const QString& caption, const QString& start)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, caption, start);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> Dialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QStringList> Dialogs::boundAnswers(QWidget* parent, const QStringList& names,
                                                 const QStringList& lastAnswers)
{
    BoundsDialog dialog(names, lastAnswers, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answers();
}

ExpansionProgress Dialogs::runProgress(QWidget* parent)
{
    return ProgressDialogFor(parent);
}

Dialogs& Dialogs::current()
{
    return installed ? *installed : realDialogs;
}

Dialogs* Dialogs::install(Dialogs* dialogs)
{
    Dialogs* previous = installed;
    installed = dialogs;
    return previous;
}
