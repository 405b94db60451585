#include "FindDialog.h"
#include "WorkspaceTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int pixels(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

// Runs `user` on a fresh dialog once it is up, as the user would act on it.
template<typename User>
FindRequest ask(User user)
{
    FindDialog dialog(nullptr);
    QTimer::singleShot(0, &dialog, [&] { user(dialog); });
    return dialog.ask();
}

} // namespace

TEST(FindDialog, LayoutTextsColoursAndTabOrder)
{
    FindDialog dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), " Find Dialog Box");
    EXPECT_EQ(control<QLabel>(dialog, "Label1")->text(), "Find What:");
    EXPECT_EQ(control<QLabel>(dialog, "Label2")->text(), "Replace With:");
    EXPECT_EQ(control<QPushButton>(dialog, "cmdReplace")->text(), "&Replace");

    const int x = dialog.logicalDpiX(), y = dialog.logicalDpiY();
    EXPECT_EQ(dialog.size(), QSize(pixels(5160, x), pixels(1260, y)));
    EXPECT_EQ(control(dialog, "txtReplace")->geometry(), QRect(pixels(1440, x), pixels(720, y), pixels(2295, x), pixels(350, y)));
    EXPECT_EQ(control(dialog, "cmdFind")->palette().color(QPalette::Button), QColor(233, 233, 233));
    EXPECT_EQ(control(dialog, "txtFind")->palette().color(QPalette::Base), QColor(233, 233, 233));

    QStringList order;
    for (QWidget* w = control(dialog, "txtFind"); order.size() < 4; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order, (QStringList{"txtFind", "txtReplace", "cmdFind", "cmdReplace"}));
}

TEST(FindDialog, ButtonsHandOverBothTextsAndTheCloseBoxNothing)
{
    const auto typeAndPress = [](const char* button) {
        return [button](QDialog& d) {
            control<QLineEdit>(d, "txtFind")->setText("needle");
            control<QLineEdit>(d, "txtReplace")->setText("pin");
            control<QPushButton>(d, button)->click();
        };
    };
    const FindRequest find = ask(typeAndPress("cmdFind"));
    EXPECT_EQ(find.action, FindRequest::Action::Find);
    EXPECT_EQ(find.findText, "needle");
    EXPECT_EQ(find.replaceText, "pin");
    EXPECT_EQ(ask(typeAndPress("cmdReplace")).action, FindRequest::Action::Replace);

    const FindRequest closed = ask([](QDialog& d) {
        EXPECT_TRUE(control<QLineEdit>(d, "txtFind")->text().isEmpty()) << "each dialog starts empty";
        control<QLineEdit>(d, "txtFind")->setText("typed, then closed");
        d.close();
    });
    EXPECT_EQ(closed.action, FindRequest::Action::Closed);
    EXPECT_TRUE(closed.findText.isEmpty());
}
