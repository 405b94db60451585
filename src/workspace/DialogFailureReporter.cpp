#include "DialogFailureReporter.h"

#include "Dialogs.h"

#include <QApplication>

void DialogFailureReporter::reportFailure(const QString& text)
{
    Dialogs::current().message(QApplication::activeWindow(), text, Dialogs::Icon::Critical);
}

bool DialogFailureReporter::ask(const QString& question)
{
    return Dialogs::current().confirm(QApplication::activeWindow(), question);
}
