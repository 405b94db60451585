#include "frmSplash.h"

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

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    const qreal dpiX = logicalDpiX();
    const qreal dpiY = logicalDpiY();
    auto rect = [this](float l, float t, float w, float h) { return TwipsToPixels(*this, l, t, w, h); };
    setFixedSize(TwipsToPixels(7710, dpiX), TwipsToPixels(4470, dpiY));

    frame1_ = new QFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setFrameShape(QFrame::Box);
    frame1_->setGeometry(rect(0, 0, 7710, 4470));

    auto* product = new QLabel(frame1_);
    product->setObjectName(QStringLiteral("imgProductLogo"));
    product->setPixmap(ClosedBookPixmap(TwipsToPixels(1440, dpiX)));
    product->setGeometry(rect(360, 600, 1800, 1800));

    auto* logo = new QLabel(frame1_);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(ClosedBookPixmap(TwipsToPixels(480, dpiX)));
    logo->setGeometry(rect(6840, 240, 600, 600));

    label(frame1_, "lblProductName", QStringLiteral("Vellumatic"), 26, true)->setGeometry(rect(2520, 720, 4800, 720));
    label(frame1_, "lblVersion", QStringLiteral("Version 1.0"), 11, false)->setGeometry(rect(2520, 1500, 4800, 360));
    label(frame1_, "lblDescription", QStringLiteral("Repetitive source text from small bracket templates"), 9,
          false)
        ->setGeometry(rect(2520, 2040, 4920, 360));
    label(frame1_, "lblPlatform", QStringLiteral("Templates, values and results in your Data folder"), 9, false)
        ->setGeometry(rect(2520, 2400, 4920, 360));

    auto* line = new QFrame(frame1_);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(rect(240, 3240, 7230, 30));
    label(frame1_, "lblDismiss", QStringLiteral("Press any key or click to continue."), 8, false)
        ->setGeometry(rect(240, 3480, 7230, 360));

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(10000);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, &QDialog::accept);
    timer1_->start();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    accept();
}

void frmSplash::mousePressEvent(QMouseEvent* event)
{
    // Clicks on the labels and pictures come up to here, so the whole surface dismisses.
    event->accept();
    accept();
}

void frmSplash::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->geometry().center());
        move(frame.topLeft());
    }
}
