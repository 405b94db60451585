#include "HelpWindow.h"

#include "ClosedBook.h"
#include "HelpPage.h"
#include "Twips.h"
#include "WindowSettings.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>

namespace {

// The frame the window manager draws around `window`, or none before it is shown.
QMargins frameOf(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("      Vellumatic Help "));
    const qreal dpiX = logicalDpiX();
    const qreal dpiY = logicalDpiY();
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* product = new QLabel(this);
    product->setObjectName(QStringLiteral("productImage"));
    product->setPixmap(ClosedBookPixmap(TwipsToPixels(1920, dpiX)));
    auto* name = new QLabel(QStringLiteral("<b>Vellumatic</b>"), this);
    name->setObjectName(QStringLiteral("productNameLabel"));
    QFont big = name->font();
    big.setPointSize(16);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version 1.0"), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* tip = new QLabel(QStringLiteral("Close this window with its close box."), this);
    tip->setObjectName(QStringLiteral("closeLabel"));
    tip->setWordWrap(true);

    auto* page = new QTextBrowser(this);
    page->setObjectName(QStringLiteral("helpPage"));
    page->setFrameShape(QFrame::NoFrame);
    page->setOpenLinks(false);
    page->setHtml(HelpPageHtml());

    // The classic arrangement, in layouts: the page takes whatever room the window has.
    auto* side = new QVBoxLayout;
    side->setSpacing(TwipsToPixels(120, dpiY));
    for (QLabel* label : {product, name, version})
        side->addWidget(label);
    side->addStretch(1);
    side->addWidget(tip);
    auto* whole = new QHBoxLayout(this);
    whole->setContentsMargins(TwipsToPixels(360, dpiX), TwipsToPixels(240, dpiY), TwipsToPixels(165, dpiX),
                              TwipsToPixels(240, dpiY));
    whole->setSpacing(TwipsToPixels(360, dpiX));
    auto* sideColumn = new QWidget(this);
    sideColumn->setFixedWidth(TwipsToPixels(2400, dpiX));
    sideColumn->setLayout(side);
    whole->addWidget(sideColumn);
    whole->addWidget(page, 1);

    // Its classic size where the screen has room for it and its frame, else the room there is.
    const QSize classic(TwipsToPixels(13980, dpiX), TwipsToPixels(9570, dpiY));
    resize(FitWithinArea(classic, expectedFrame(), availableArea()));
}

QMargins HelpWindow::expectedFrame() const
{
    // Until the window manager has framed this window, the frame of the window it belongs to.
    const QMargins own = frameOf(this);
    return own.isNull() && parentWidget() ? frameOf(parentWidget()->window()) : own;
}

QRect HelpWindow::availableArea() const
{
    const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    return shownOn ? shownOn->availableGeometry() : QRect(QPoint(0, 0), size());
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on its owner, but never with a part of its frame, the close box, off the screen.
    const QMargins frame = expectedFrame();
    const QRect fitted = FitOntoScreen(geometry().marginsAdded(frame), {availableArea()}).marginsRemoved(frame);
    if (fitted != geometry())
        setGeometry(fitted);
}
