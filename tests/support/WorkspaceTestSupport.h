#pragma once

#include "CapturedFailures.h"
#include "CatalogueFiles.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "WorkspaceWindow.h"

#include <QStringList>
#include <QTextEdit>
#include <gtest/gtest.h>

// A control found by object name; a missing one fails the test.
template <typename T = QWidget>
T* control(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The children of a node as "key=text", in tree order.
QStringList children(CatalogueTree* tree, const QString& key);

// Types a name into the Add box and presses the Add button, as the user does.
void addTemplate(WorkspaceWindow& doc, const QString& text);
void addValue(WorkspaceWindow& doc, const QString& text);

// A double-click as the platform sends it: a click, then a double-click in place of the
// second press, then its release.
void doubleClick(QWidget* widget, QPoint at);

// Selects the characters from..to in a pane.
void selectRange(TextPane pane, int from, int to);

// A program folder with both catalogues, dialogs answered from a script, store failures captured.
class WorkspaceTest : public ::testing::Test
{
protected:
    WorkspaceTest()
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({}));
        app.writeDataFile("Values.app", CatalogueFile({}));
    }

    TempAppFolder app;
    ScriptedDialogs dialogs;
    CapturedFailures failures;
};
