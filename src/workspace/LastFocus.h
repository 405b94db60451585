#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Remembers which control inside a window last had the keyboard focus. Focus leaving for a
// menu, a dialog or another window is not the user moving on, so it does not count.
class LastFocus : public QObject
{
    Q_OBJECT

public:
    explicit LastFocus(QWidget* window);

    // The control, or nullptr before any had the focus or once it is gone.
    QWidget* widget() const { return last_; }

private:
    void focusChanged(QWidget* old, QWidget* now);

    QWidget* window_;
    QPointer<QWidget> last_;
};
