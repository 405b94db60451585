#include "FindDialog.h"

#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void paintLightGrey(QWidget* control, QPalette::ColorRole role)
{
    QPalette palette = control->palette();
    palette.setColor(role, QColor(233, 233, 233));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

} // namespace

FindDialog::FindDialog(QWidget* owner)
    // A dialog rather than a tool window: Qt hands an active tool window's shortcuts on to the
    // window under it, where Alt+R would press the workspace's Run instead of our Replace.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Label1(new QLabel(QStringLiteral("Find What:"), this))
    , txtFind(new QLineEdit(this))
    , Label2(new QLabel(QStringLiteral("Replace With:"), this))
    , txtReplace(new QLineEdit(this))
    , cmdFind(new QPushButton(QStringLiteral("&Find"), this))
    , cmdReplace(new QPushButton(QStringLiteral("&Replace"), this))
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral(" Find Dialog Box"));
    setModal(true);
    setFixedSize(TwipsToPixels(*this, 0, 0, 5160, 1260).size());

    Label1->setObjectName(QStringLiteral("Label1"));
    txtFind->setObjectName(QStringLiteral("txtFind"));
    Label2->setObjectName(QStringLiteral("Label2"));
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));

    place(Label1, 120, 330, 1335, 255);
    place(txtFind, 1440, 240, 2295, 350);
    place(Label2, 120, 740, 1335, 255);
    place(txtReplace, 1440, 720, 2295, 350);
    place(cmdFind, 3960, 240, 1095, 375);
    place(cmdReplace, 3960, 720, 1095, 375);

    paintLightGrey(txtFind, QPalette::Base);
    paintLightGrey(txtReplace, QPalette::Base);
    paintLightGrey(cmdFind, QPalette::Button);
    paintLightGrey(cmdReplace, QPalette::Button);

    setTabOrder(txtFind, txtReplace);
    setTabOrder(txtReplace, cmdFind);
    setTabOrder(cmdFind, cmdReplace);
    txtFind->setFocus();
    // Enter in either box means Find, as in every find dialog.
    cmdFind->setDefault(true);

    connect(cmdFind, &QPushButton::clicked, this, &FindDialog::cmdFind_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &FindDialog::cmdReplace_Click);
}

FindRequest FindDialog::ask()
{
    request_ = {};
    exec();
    return request_;
}

void FindDialog::place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(TwipsToPixels(*this, left, top, width, height));
}

void FindDialog::cmdFind_Click()
{
    finish(FindRequest::Action::Find);
}

void FindDialog::cmdReplace_Click()
{
    finish(FindRequest::Action::Replace);
}

// Both buttons hand over both texts; only the close box leaves the request at Closed.
void FindDialog::finish(FindRequest::Action action)
{
    request_ = {action, txtFind->text(), txtReplace->text()};
    accept();
}
