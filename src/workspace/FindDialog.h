#pragma once

#include "FindRequest.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The modal find dialog: a text to find, a replacement, and a Find or a Replace button.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget* owner);

    // Shows the dialog modal and returns what the user did.
    FindRequest ask();

private:
    void place(QWidget* control, int left, int top, int width, int height);
    void findClicked();
    void replaceClicked();
    void finish(FindRequest::Action action);

    QLabel* findLabel_;
    QLineEdit* findBox_;
    QLabel* replaceLabel_;
    QLineEdit* replaceBox_;
    QPushButton* findButton_;
    QPushButton* replaceButton_;
    FindRequest request_;
};
