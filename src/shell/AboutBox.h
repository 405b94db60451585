#pragma once

#include <QDialog>

class QFrame;
class QTimer;

// The About window: no title bar; any key, a click anywhere, or ten seconds close it.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    QTimer* closeTimer() const { return closeTimer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QFrame* frame_ = nullptr;
    QTimer* closeTimer_ = nullptr;
};
