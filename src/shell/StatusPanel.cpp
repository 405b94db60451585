#include "StatusPanel.h"

#include <QPainter>
#include <QStyle>

StatusPanel::StatusPanel(QWidget* parent)
    : QLabel(parent)
{
}

void StatusPanel::setAbout(const QString& about)
{
    about_ = about;
    setToolTip(about_);
}

void StatusPanel::setPanelText(const QString& text)
{
    setText(text);
    setToolTip(text.trimmed().isEmpty() ? about_ : text.trimmed() + u'\n' + about_);
}

QSize StatusPanel::sizeHint() const
{
    return minimumSizeHint();
}

QSize StatusPanel::minimumSizeHint() const
{
    // One line high, and as wide as an ellipsis: the text is never what sets the width.
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + margins.left() + margins.right(),
            fontMetrics().height() + margins.top() + margins.bottom()};
}

void StatusPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}
