#include "ClosedBook.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ClosedBookPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);

    // Pages seen from the fore-edge, then the cover over them, then the spine.
    p.setPen(QPen(QColor(120, 110, 90), 0.6));
    p.setBrush(QColor(250, 246, 230));
    p.drawRect(QRectF(4.0, 2.5, 10.0, 12.0));
    p.setPen(QPen(QColor(40, 40, 90), 0.8));
    p.setBrush(QColor(52, 84, 164));
    p.drawRoundedRect(QRectF(2.5, 1.5, 10.5, 12.0), 1.0, 1.0);
    p.setBrush(QColor(30, 52, 112));
    p.drawRect(QRectF(2.5, 1.5, 2.0, 12.0));
    p.setPen(QPen(QColor(230, 200, 90), 0.8));
    p.drawLine(QPointF(6.5, 5.0), QPointF(11.0, 5.0));
    p.drawLine(QPointF(6.5, 7.0), QPointF(10.0, 7.0));
    return pixmap;
}

const QIcon& LeafIcon()
{
    static const QIcon book(ClosedBookPixmap(16));
    return book;
}

const QIcon& GroupIcon()
{
    static const QIcon pile = [] {
        constexpr int kSize = 16;
        QPixmap pixmap(kSize, kSize);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        // Two smaller books, the back one up and to the right of the front one.
        const QPixmap small = ClosedBookPixmap(11);
        p.drawPixmap(5, 0, small);
        p.drawPixmap(0, 5, small);
        return QIcon(pixmap);
    }();
    return pile;
}
