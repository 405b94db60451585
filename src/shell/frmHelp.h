#pragma once

#include <QDialog>

// The help window: a fixed page describing the program and its template syntax.
class frmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit frmHelp(QWidget* parent = nullptr);
};
