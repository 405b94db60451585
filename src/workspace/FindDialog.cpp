#include "FindDialog.h"

#include "ShownColours.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void paintLightGrey(QWidget* control, QPalette::ColorRole role)
{
    const QColor grey(233, 233, 233);
    QPalette palette = control->palette();
    palette.setColor(role, grey);
    // A dark desktop's light text would vanish on the grey.
    const QPalette::ColorRole text = role == QPalette::Button ? QPalette::ButtonText : QPalette::Text;
    palette.setColor(text, ReadableOn(palette.color(text), grey));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

} // namespace

FindDialog::FindDialog(QWidget* owner)
    // A dialog rather than a tool window: Qt hands an active tool window's shortcuts on to the
    // window under it, where Alt+R would press the workspace's Run instead of our Replace.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , findLabel_(new QLabel(QStringLiteral("Find What:"), this))
    , findBox_(new QLineEdit(this))
    , replaceLabel_(new QLabel(QStringLiteral("Replace With:"), this))
    , replaceBox_(new QLineEdit(this))
    , findButton_(new QPushButton(QStringLiteral("&Find"), this))
    , replaceButton_(new QPushButton(QStringLiteral("&Replace"), this))
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral(" Find Dialog Box"));
    setModal(true);
    setFixedSize(TwipsToPixels(*this, 0, 0, 5160, 1260).size());

    findLabel_->setObjectName(QStringLiteral("findLabel"));
    findBox_->setObjectName(QStringLiteral("findBox"));
    replaceLabel_->setObjectName(QStringLiteral("replaceLabel"));
    replaceBox_->setObjectName(QStringLiteral("replaceBox"));
    findButton_->setObjectName(QStringLiteral("findButton"));
    replaceButton_->setObjectName(QStringLiteral("replaceButton"));

    place(findLabel_, 120, 330, 1335, 255);
    place(findBox_, 1440, 240, 2295, 350);
    place(replaceLabel_, 120, 740, 1335, 255);
    place(replaceBox_, 1440, 720, 2295, 350);
    place(findButton_, 3960, 240, 1095, 375);
    place(replaceButton_, 3960, 720, 1095, 375);

    paintLightGrey(findBox_, QPalette::Base);
    paintLightGrey(replaceBox_, QPalette::Base);
    paintLightGrey(findButton_, QPalette::Button);
    paintLightGrey(replaceButton_, QPalette::Button);

    setTabOrder(findBox_, replaceBox_);
    setTabOrder(replaceBox_, findButton_);
    setTabOrder(findButton_, replaceButton_);
    findBox_->setFocus();
    // Enter in either box means Find, as in every find dialog.
    findButton_->setDefault(true);

    connect(findButton_, &QPushButton::clicked, this, &FindDialog::findClicked);
    connect(replaceButton_, &QPushButton::clicked, this, &FindDialog::replaceClicked);
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
    request_ = {action, findBox_->text(), replaceBox_->text()};
    accept();
}
