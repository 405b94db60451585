#include "LastFocus.h"

#include <QApplication>

LastFocus::LastFocus(QWidget* window)
    : QObject(window)
    , window_(window)
{
    connect(qApp, &QApplication::focusChanged, this, &LastFocus::focusChanged);
}

void LastFocus::focusChanged(QWidget*, QWidget* now)
{
    if (now && window_->isAncestorOf(now))
        last_ = now;
}
