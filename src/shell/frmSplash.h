#pragma once

#include <QDialog>

class QFrame;
class QTimer;

// The About window: no title bar; any key, a click anywhere, or ten seconds close it.
class frmSplash : public QDialog
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    QTimer* Timer1() const { return timer1_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QFrame* frame1_ = nullptr;
    QTimer* timer1_ = nullptr;
};
