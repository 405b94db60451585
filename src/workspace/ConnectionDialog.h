#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Asks which database to read table and column names from, and yields its connection string.
// The string carries the password: use it to open the connection and let it go.
class ConnectionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ConnectionDialog(QWidget* parent = nullptr);

    QString connectionString() const;

private:
    void cboKind_Changed();
    void cmdFile_Click();
    void updateOkButton();
    int currentKind() const; // a DatabaseKind, or -1 for a typed connection string

    QComboBox* cboKind_;
    QFormLayout* form_;
    QLineEdit* txtFile_;
    QPushButton* cmdFile_;
    QWidget* fileRow_;
    QLineEdit* txtHost_;
    QSpinBox* spnPort_;
    QLineEdit* txtDatabase_;
    QLineEdit* txtDataSource_;
    QLineEdit* txtUser_;
    QLineEdit* txtPassword_;
    QLineEdit* txtConnectionString_;
    QDialogButtonBox* buttons_;
};
