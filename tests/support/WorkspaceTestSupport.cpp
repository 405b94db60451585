#include "WorkspaceTestSupport.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

QStringList children(CatalogueTree* tree, const QString& key)
{
    QStringList texts;
    QTreeWidgetItem* item = tree->node(key);
    for (int i = 0; item && i < item->childCount(); ++i)
        texts << CatalogueTree::keyOf(item->child(i)) + "=" + item->child(i)->text(0);
    return texts;
}

namespace {
void type(WorkspaceWindow& doc, const char* box, const char* button, const QString& text)
{
    control<QLineEdit>(doc, box)->setText(text);
    control<QPushButton>(doc, button)->click();
}
} // namespace

void addTemplate(WorkspaceWindow& doc, const QString& text)
{
    type(doc, "templateNameBox", "addTemplateButton", text);
}

void addValue(WorkspaceWindow& doc, const QString& text)
{
    type(doc, "valueNameBox", "addValueButton", text);
}

void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(widget, &twice);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

void selectRange(TextPane pane, int from, int to)
{
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
}
