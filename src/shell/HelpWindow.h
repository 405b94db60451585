#pragma once

#include <QDialog>

// The help window: a page describing the program and its template syntax, as large as the
// screen allows and resizable.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QMargins expectedFrame() const;
    QRect availableArea() const;
};
