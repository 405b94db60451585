#pragma once

#include "TableRows.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class SchemaImporter;

// What the Fill Rows dialog fills.
struct FillRowsSetup
{
    QStringList fieldNames;   // the numbered fields of the result ("Col", "Type")
    qsizetype repetitions = 0;
    QStringList valueChildren; // the children of the selected value, a source of one column "name"
};

// Chooses the rows that fill the result's repetitions: a table pasted, dropped or opened
// from a file (TSV or CSV with a header), a database table's columns, or the selected
// value's children, all shown in the table box as text; then the column that fills each
// field, matched by name and then by position, and a look at the first rows as they will
// be filled.
class FillRowsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FillRowsDialog(FillRowsSetup setup, QWidget* parent = nullptr);
    ~FillRowsDialog() override;

    // The table as the box now reads; no columns while it does not read.
    const TableRows& table() const { return table_; }
    // The column of table() that fills each field, -1 for none.
    QList<qsizetype> columns() const;

    QPlainTextEdit* tableBox() const { return tableBox_; }
    QComboBox* columnChoice(qsizetype field) const { return columnChoices_.value(field); }
    // The tables of the connected database; hidden until one is connected.
    QComboBox* databaseTables() const { return databaseTables_; }
    QTableWidget* preview() const { return preview_; }
    QLabel* note() const { return note_; }

    void openFile();
    void connectDatabase();
    void useValueChildren();

private:
    void readTableBox();
    void readDatabaseTable(int index);
    void showPreview();

    FillRowsSetup setup_;
    TableRows table_;
    std::unique_ptr<SchemaImporter> database_;
    QPlainTextEdit* tableBox_ = nullptr;
    QComboBox* databaseTables_ = nullptr;
    QList<QComboBox*> columnChoices_;
    QTableWidget* preview_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* fillButton_ = nullptr;
};
