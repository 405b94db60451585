#include "HelpWindow.h"

#include "ClosedBook.h"
#include "HelpPage.h"
#include "Twips.h"

#include <QLabel>
#include <QTextBrowser>

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("      Vellumatic Help "));
    const qreal dpiX = logicalDpiX();
    const qreal dpiY = logicalDpiY();
    auto rect = [this](float l, float t, float w, float h) { return TwipsToPixels(*this, l, t, w, h); };
    setFixedSize(TwipsToPixels(13980, dpiX), TwipsToPixels(9570, dpiY));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* product = new QLabel(this);
    product->setObjectName(QStringLiteral("productImage"));
    product->setPixmap(ClosedBookPixmap(TwipsToPixels(1920, dpiX)));
    product->setGeometry(rect(360, 480, 2280, 2280));

    auto* name = new QLabel(QStringLiteral("<b>Vellumatic</b>"), this);
    name->setObjectName(QStringLiteral("productNameLabel"));
    QFont big = name->font();
    big.setPointSize(16);
    name->setFont(big);
    name->setGeometry(rect(360, 2880, 2400, 480));
    auto* version = new QLabel(QStringLiteral("Version 1.0"), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setGeometry(rect(360, 3420, 2400, 300));
    auto* tip = new QLabel(QStringLiteral("Close this window with its close box."), this);
    tip->setObjectName(QStringLiteral("closeLabel"));
    tip->setWordWrap(true);
    tip->setGeometry(rect(360, 7980, 2400, 600));

    auto* page = new QTextBrowser(this);
    page->setObjectName(QStringLiteral("helpPage"));
    page->setFrameShape(QFrame::NoFrame);
    page->setOpenLinks(false);
    page->setHtml(HelpPageHtml());
    page->setGeometry(rect(3000, 240, 10815, 7335));
}
