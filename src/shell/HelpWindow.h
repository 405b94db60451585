#pragma once

#include <QDialog>

// The help window: a fixed page describing the program and its template syntax.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
};
