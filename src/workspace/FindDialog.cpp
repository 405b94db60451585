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
    , findLabel(new QLabel(QStringLiteral("Find What:"), this))
    , findBox(new QLineEdit(this))
    , replaceLabel(new QLabel(QStringLiteral("Replace With:"), this))
    , replaceBox(new QLineEdit(this))
    , findButton(new QPushButton(QStringLiteral("&Find"), this))
    , replaceButton(new QPushButton(QStringLiteral("&Replace"), this))
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral(" Find Dialog Box"));
    setModal(true);
    setFixedSize(TwipsToPixels(*this, 0, 0, 5160, 1260).size());

    findLabel->setObjectName(QStringLiteral("findLabel"));
    findBox->setObjectName(QStringLiteral("findBox"));
    replaceLabel->setObjectName(QStringLiteral("replaceLabel"));
    replaceBox->setObjectName(QStringLiteral("replaceBox"));
    findButton->setObjectName(QStringLiteral("findButton"));
    replaceButton->setObjectName(QStringLiteral("replaceButton"));

    place(findLabel, 120, 330, 1335, 255);
    place(findBox, 1440, 240, 2295, 350);
    place(replaceLabel, 120, 740, 1335, 255);
    place(replaceBox, 1440, 720, 2295, 350);
    place(findButton, 3960, 240, 1095, 375);
    place(replaceButton, 3960, 720, 1095, 375);

    paintLightGrey(findBox, QPalette::Base);
    paintLightGrey(replaceBox, QPalette::Base);
    paintLightGrey(findButton, QPalette::Button);
    paintLightGrey(replaceButton, QPalette::Button);

    setTabOrder(findBox, replaceBox);
    setTabOrder(replaceBox, findButton);
    setTabOrder(findButton, replaceButton);
    findBox->setFocus();
    // Enter in either box means Find, as in every find dialog.
    findButton->setDefault(true);

    connect(findButton, &QPushButton::clicked, this, &FindDialog::findClicked);
    connect(replaceButton, &QPushButton::clicked, this, &FindDialog::replaceClicked);
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

void FindDialog::findClicked()
{
    finish(FindRequest::Action::Find);
}

void FindDialog::replaceClicked()
{
    finish(FindRequest::Action::Replace);
}

// Both buttons hand over both texts; only the close box leaves the request at Closed.
void FindDialog::finish(FindRequest::Action action)
{
    request_ = {action, findBox->text(), replaceBox->text()};
    accept();
}
