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
    void kindChanged();
    void chooseFile();
    void updateOkButton();
    int currentKind() const; // a DatabaseKind, or -1 for a typed connection string

    QComboBox* kindBox_;
    QFormLayout* form_;
    QLineEdit* fileBox_;
    QPushButton* chooseFileButton_;
    QWidget* fileRow_;
    QLineEdit* hostBox_;
    QSpinBox* portBox_;
    QLineEdit* databaseBox_;
    QLineEdit* dataSourceBox_;
    QLineEdit* userBox_;
    QLineEdit* passwordBox_;
    QLineEdit* connectionStringBox_;
    QDialogButtonBox* buttons_;
};
