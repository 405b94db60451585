#include "FindDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `user` once the modal dialog is up, as the user acting on it.
FindRequest askWith(FindDialog& dialog, const std::function<void(FindDialog&)>& user)
{
    QTimer::singleShot(0, &dialog, [&] { user(dialog); });
    return dialog.ask();
}

template<typename T>
T* control(FindDialog& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

int pixels(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

} // namespace

TEST(FindDialog, ShowsItsCaptionControlsAndColoursAtTwipPositions)
{
    FindDialog dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), " Find Dialog Box");
    EXPECT_EQ(control<QLabel>(dialog, "Label1")->text(), "Find What:");
    EXPECT_EQ(control<QLabel>(dialog, "Label2")->text(), "Replace With:");
    EXPECT_EQ(control<QPushButton>(dialog, "cmdFind")->text(), "&Find");
    EXPECT_EQ(control<QPushButton>(dialog, "cmdReplace")->text(), "&Replace");

    const int dpiX = dialog.logicalDpiX();
    const int dpiY = dialog.logicalDpiY();
    EXPECT_EQ(dialog.size(), QSize(pixels(5160, dpiX), pixels(1260, dpiY)));
    EXPECT_EQ(control<QLineEdit>(dialog, "txtReplace")->geometry(),
              QRect(pixels(1440, dpiX), pixels(720, dpiY), pixels(2295, dpiX), pixels(350, dpiY)));
    EXPECT_EQ(control<QPushButton>(dialog, "cmdFind")->geometry(),
              QRect(pixels(3960, dpiX), pixels(240, dpiY), pixels(1095, dpiX), pixels(375, dpiY)));

    const QColor grey(233, 233, 233);
    EXPECT_EQ(control<QLineEdit>(dialog, "txtFind")->palette().color(QPalette::Base), grey);
    EXPECT_EQ(control<QPushButton>(dialog, "cmdReplace")->palette().color(QPalette::Button), grey);
}

TEST(FindDialog, TabGoesFromFindTextToReplaceTextToTheButtons)
{
    FindDialog dialog(nullptr);
    QStringList order;
    QWidget* widget = control<QLineEdit>(dialog, "txtFind");
    for (int i = 0; i < 4; ++i, widget = widget->nextInFocusChain()) {
        while (!(widget->focusPolicy() & Qt::TabFocus))
            widget = widget->nextInFocusChain();
        order << widget->objectName();
    }
    EXPECT_EQ(order, (QStringList{"txtFind", "txtReplace", "cmdFind", "cmdReplace"}));
}

TEST(FindDialog, ButtonsHandOverBothTextsAndClosingHandsOverNothing)
{
    FindDialog findDialog(nullptr);
    const FindRequest find = askWith(findDialog, [](FindDialog& d) {
        control<QLineEdit>(d, "txtFind")->setText("needle");
        control<QLineEdit>(d, "txtReplace")->setText("pin");
        control<QPushButton>(d, "cmdFind")->click();
    });
    EXPECT_EQ(find.action, FindRequest::Action::Find);
    EXPECT_EQ(find.findText, "needle");
    EXPECT_EQ(find.replaceText, "pin");

    FindDialog replaceDialog(nullptr);
    const FindRequest replace = askWith(replaceDialog, [](FindDialog& d) {
        control<QLineEdit>(d, "txtFind")->setText("a");
        control<QPushButton>(d, "cmdReplace")->click();
    });
    EXPECT_EQ(replace.action, FindRequest::Action::Replace);
    EXPECT_EQ(replace.findText, "a");
    EXPECT_EQ(replace.replaceText, "");

    FindDialog closedDialog(nullptr);
    const FindRequest closed = askWith(closedDialog, [](FindDialog& d) {
        control<QLineEdit>(d, "txtFind")->setText("typed, then closed");
        d.close();
    });
    EXPECT_EQ(closed.action, FindRequest::Action::Closed);
    EXPECT_EQ(closed.findText, "");
}
