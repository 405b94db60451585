#pragma once

#include "CapturedFailures.h"
#include "CatalogueFiles.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "WorkspaceWindow.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>
#include <QTest>
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
inline QStringList children(CatalogueTree* tree, const QString& key)
{
    QStringList texts;
    QTreeWidgetItem* item = tree->node(key);
    for (int i = 0; item && i < item->childCount(); ++i)
        texts << CatalogueTree::keyOf(item->child(i)) + "=" + item->child(i)->text(0);
    return texts;
}

// Types a name into the Add box and presses the Add button, as the user does.
inline void addTemplate(WorkspaceWindow& doc, const QString& text)
{
    control<QLineEdit>(doc, "templateNameBox")->setText(text);
    control<QPushButton>(doc, "addTemplateButton")->click();
}
inline void addValue(WorkspaceWindow& doc, const QString& text)
{
    control<QLineEdit>(doc, "valueNameBox")->setText(text);
    control<QPushButton>(doc, "addValueButton")->click();
}

// A double-click as the platform sends it: a click, then a double-click in place of the
// second press, then its release.
inline void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(widget, &twice);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// Lets a finished in-place edit arrive: the editor commits on the next turn of the event loop,
// and the window stores the name on the turn after.
inline void settleRename()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Selects the characters from..to in a pane.
inline void selectRange(TextPane pane, int from, int to)
{
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
}

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
