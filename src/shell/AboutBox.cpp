#include "AboutBox.h"

#include "ClosedBook.h"
#include "Twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    QFont font = l->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    const qreal dpiX = logicalDpiX();
    const qreal dpiY = logicalDpiY();
    auto rect = [this](float l, float t, float w, float h) { return TwipsToPixels(*this, l, t, w, h); };
    setFixedSize(TwipsToPixels(7710, dpiX), TwipsToPixels(4470, dpiY));

    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("frame"));
    frame_->setFrameShape(QFrame::Box);
    frame_->setGeometry(rect(0, 0, 7710, 4470));

    auto* product = new QLabel(frame_);
    product->setObjectName(QStringLiteral("productLogo"));
    product->setPixmap(ClosedBookPixmap(TwipsToPixels(1440, dpiX)));
    product->setGeometry(rect(360, 600, 1800, 1800));

    auto* logo = new QLabel(frame_);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(ClosedBookPixmap(TwipsToPixels(480, dpiX)));
    logo->setGeometry(rect(6840, 240, 600, 600));

    label(frame_, "productNameLabel", QStringLiteral("Vellumatic"), 26, true)->setGeometry(rect(2520, 720, 4800, 720));
    label(frame_, "versionLabel", QStringLiteral("Version 1.0"), 11, false)->setGeometry(rect(2520, 1500, 4800, 360));
    label(frame_, "descriptionLabel", QStringLiteral("Repetitive source text from small bracket templates"), 9,
          false)
        ->setGeometry(rect(2520, 2040, 4920, 360));
    label(frame_, "platformLabel", QStringLiteral("Templates, values and results in your Data folder"), 9, false)
        ->setGeometry(rect(2520, 2400, 4920, 360));

    auto* line = new QFrame(frame_);
    line->setObjectName(QStringLiteral("rule"));
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(rect(240, 3240, 7230, 30));
    label(frame_, "dismissLabel", QStringLiteral("Press any key or click to continue."), 8, false)
        ->setGeometry(rect(240, 3480, 7230, 360));

    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("closeTimer"));
    closeTimer_->setInterval(10000);
    closeTimer_->setSingleShot(true);
    connect(closeTimer_, &QTimer::timeout, this, &QDialog::accept);
    closeTimer_->start();
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    accept();
}

void AboutBox::mousePressEvent(QMouseEvent* event)
{
    // Clicks on the labels and pictures come up to here, so the whole surface dismisses.
    event->accept();
    accept();
}

void AboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->geometry().center());
        move(frame.topLeft());
    }
}
