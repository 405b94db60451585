#include "FillRowsDialog.h"

#include "Dialogs.h"
#include "FillRows.h"
#include "FillRowsRules.h"
#include "SchemaImporter.h"
#include "Utf8Text.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kPreviewRows = 5;

// The text of a table file (UTF-8), or nothing once the user has been told why not.
std::optional<QString> ReadTableFile(QWidget* parent, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::current().message(parent, QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()),
                                   Dialogs::Icon::Warning);
        return std::nullopt;
    }
    std::optional<QString> text = DecodeUtf8(file.readAll());
    if (!text)
        Dialogs::current().message(parent, QStringLiteral("%1 is not UTF-8 text: save it as UTF-8 and open it again.").arg(path),
                                   Dialogs::Icon::Warning);
    return text;
}

// A text box that takes a dropped file as its whole text instead of the file's name.
class TableBox : public QPlainTextEdit
{
public:
    TableBox(std::function<void(const QString&)> openFile, QWidget* parent)
        : QPlainTextEdit(parent), openFile_(std::move(openFile))
    {
    }

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override
    {
        return droppedFile(source).has_value() || QPlainTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override
    {
        if (const std::optional<QString> file = droppedFile(source))
            openFile_(*file);
        else
            QPlainTextEdit::insertFromMimeData(source);
    }

private:
    static std::optional<QString> droppedFile(const QMimeData* source)
    {
        if (source->hasUrls() && !source->urls().isEmpty() && source->urls().first().isLocalFile())
            return source->urls().first().toLocalFile();
        return std::nullopt;
    }

    std::function<void(const QString&)> openFile_;
};

} // namespace

FillRowsDialog::FillRowsDialog(FillRowsSetup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup))
{
    setObjectName(QStringLiteral("fillRowsDialog"));
    setWindowTitle(QStringLiteral("Fill Rows"));

    auto* openButton = new QPushButton(QStringLiteral("Open File..."), this);
    openButton->setObjectName(QStringLiteral("openFileButton"));
    auto* databaseButton = new QPushButton(QStringLiteral("Database..."), this);
    databaseButton->setObjectName(QStringLiteral("databaseButton"));
    auto* childrenButton = new QPushButton(QStringLiteral("Value's Children"), this);
    childrenButton->setObjectName(QStringLiteral("valueChildrenButton"));
    childrenButton->setEnabled(!setup_.valueChildren.isEmpty());
    databaseTables_ = new QComboBox(this);
    databaseTables_->setObjectName(QStringLiteral("databaseTables"));
    databaseTables_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    databaseTables_->hide();
    connect(openButton, &QPushButton::clicked, this, &FillRowsDialog::openFile);
    connect(databaseButton, &QPushButton::clicked, this, &FillRowsDialog::connectDatabase);
    connect(childrenButton, &QPushButton::clicked, this, &FillRowsDialog::useValueChildren);
    connect(databaseTables_, &QComboBox::activated, this, &FillRowsDialog::readDatabaseTable);

    auto* sources = new QHBoxLayout;
    sources->addWidget(new QLabel(QStringLiteral("Rows from:"), this));
    sources->addWidget(openButton);
    sources->addWidget(databaseButton);
    sources->addWidget(databaseTables_);
    sources->addWidget(childrenButton);
    sources->addStretch();

    tableBox_ = new TableBox(
        [this](const QString& file) {
            if (const std::optional<QString> text = ReadTableFile(this, file))
                tableBox_->setPlainText(*text);
        },
        this);
    tableBox_->setObjectName(QStringLiteral("tableBox"));
    tableBox_->setPlaceholderText(QStringLiteral(
        "Paste or drop a table here: a header row naming the columns, then one row for each repetition, "
        "separated by tabs or commas."));
    tableBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(tableBox_, &QPlainTextEdit::textChanged, this, &FillRowsDialog::readTableBox);

    auto* fieldsPage = new QWidget;
    auto* fields = new QFormLayout(fieldsPage);
    for (const QString& name : std::as_const(setup_.fieldNames)) {
        auto* choice = new QComboBox(fieldsPage);
        choice->setObjectName(QStringLiteral("column_") + name);
        connect(choice, &QComboBox::currentIndexChanged, this, &FillRowsDialog::showPreview);
        fields->addRow(name, choice);
        columnChoices_ << choice;
    }
    auto* fieldsScroll = new QScrollArea(this);
    fieldsScroll->setWidget(fieldsPage);
    fieldsScroll->setWidgetResizable(true);
    fieldsScroll->setFrameShape(QFrame::NoFrame);
    fieldsScroll->viewport()->setAutoFillBackground(false); // the group box's own background
    fieldsPage->setAutoFillBackground(false);
    auto* fieldsBox = new QGroupBox(QStringLiteral("Fields"), this);
    (new QVBoxLayout(fieldsBox))->addWidget(fieldsScroll);

    preview_ = new QTableWidget(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setColumnCount(int(setup_.fieldNames.size()));
    preview_->setHorizontalHeaderLabels(setup_.fieldNames);
    preview_->horizontalHeader()->setStretchLastSection(true);
    preview_->setWordWrap(false);
    auto* previewBox = new QGroupBox(QStringLiteral("First rows"), this);
    (new QVBoxLayout(previewBox))->addWidget(preview_);

    auto* matching = new QHBoxLayout;
    matching->addWidget(fieldsBox, 1);
    matching->addWidget(previewBox, 2);

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("rowsNote"));
    note_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    fillButton_ = buttons->button(QDialogButtonBox::Ok);
    fillButton_->setText(QStringLiteral("Fill"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(tableBox_, 2);
    layout->addLayout(matching, 3);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    resize(720, 520);
    tableBox_->setFocus(); // ready for a paste

    // A table on the clipboard is offered, selected, so typing or pasting replaces it.
    const QString clipboard = QApplication::clipboard()->text();
    if (LooksLikeTable(clipboard)) {
        tableBox_->setPlainText(clipboard);
        tableBox_->selectAll();
    } else {
        readTableBox();
    }
}

FillRowsDialog::~FillRowsDialog() = default;

QList<qsizetype> FillRowsDialog::columns() const
{
    QList<qsizetype> columns;
    for (const QComboBox* choice : columnChoices_)
        columns << choice->currentData().toLongLong();
    return columns;
}

void FillRowsDialog::openFile()
{
    const std::optional<QString> file = Dialogs::current().openFileName(
        this, QStringLiteral("Open Table"), QStringLiteral("Tables (*.tsv *.csv *.txt);;All files (*)"));
    if (!file)
        return;
    if (const std::optional<QString> text = ReadTableFile(this, *file))
        tableBox_->setPlainText(*text);
}

void FillRowsDialog::connectDatabase()
{
    const std::optional<QString> connection = Dialogs::current().connectionString(this);
    if (!connection)
        return;
    auto database = std::make_unique<SchemaImporter>();
    QString failure;
    std::optional<QStringList> tables;
    if (const std::optional<QString> refused = database->open(*connection))
        failure = *refused;
    else
        tables = database->tableNames(&failure);
    if (!tables || tables->isEmpty()) {
        Dialogs::current().message(
            this, tables ? QStringLiteral("The database has no tables.") : failure, Dialogs::Icon::Warning);
        return;
    }
    database_ = std::move(database);
    databaseTables_->clear();
    databaseTables_->addItems(*tables);
    databaseTables_->show();
    readDatabaseTable(0);
}

void FillRowsDialog::readDatabaseTable(int index)
{
    if (!database_ || index < 0)
        return;
    const auto columns = database_->columnTable(databaseTables_->itemText(index));
    if (const auto* failure = std::get_if<QString>(&columns))
        Dialogs::current().message(this, *failure, Dialogs::Icon::Warning);
    else
        tableBox_->setPlainText(TableAsText(std::get<TableRows>(columns)));
}

void FillRowsDialog::useValueChildren()
{
    TableRows children;
    children.columns = {QStringLiteral("name")};
    for (const QString& child : std::as_const(setup_.valueChildren))
        children.rows.append({child});
    tableBox_->setPlainText(TableAsText(children));
}

void FillRowsDialog::readTableBox()
{
    const QString text = tableBox_->toPlainText();
    auto read = ReadTable(text, GuessTableFormat(text));
    const QStringList previousColumns = table_.columns;
    QString failure;
    if (auto* table = std::get_if<TableRows>(&read)) {
        table_ = std::move(*table);
    } else {
        table_ = {};
        if (!text.trimmed().isEmpty())
            failure = std::get<TableFailure>(read).message();
    }
    // A new header matches the fields afresh; the same header keeps the user's choices.
    if (table_.columns != previousColumns || previousColumns.isEmpty()) {
        const QList<qsizetype> matched = MatchColumns(setup_.fieldNames, table_.columns);
        for (qsizetype field = 0; field < columnChoices_.size(); ++field) {
            QComboBox* choice = columnChoices_[field];
            const QSignalBlocker quiet(choice);
            choice->clear();
            choice->addItem(QStringLiteral("(none)"), qsizetype(-1));
            for (qsizetype column = 0; column < table_.columns.size(); ++column)
                choice->addItem(table_.columns[column], column);
            choice->setCurrentIndex(int(matched[field] + 1));
        }
    }
    showPreview();
    fillButton_->setEnabled(!table_.rows.isEmpty());
    if (!failure.isEmpty())
        note_->setText(failure);
    else if (table_.columns.isEmpty())
        note_->setText(QStringLiteral("No table yet."));
    else
        note_->setText(RowsNote(table_.rows.size(), setup_.repetitions));
}

void FillRowsDialog::showPreview()
{
    const QList<qsizetype> chosen = columns();
    const int rows = int(std::min<qsizetype>(table_.rows.size(), kPreviewRows));
    preview_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        for (int field = 0; field < chosen.size(); ++field) {
            const qsizetype column = chosen[field];
            const QString value = column >= 0 ? table_.rows[row].value(column) : QString();
            preview_->setItem(row, field, new QTableWidgetItem(value));
        }
    }
    // The last column stretches over the rest.
    for (int field = 0; field + 1 < preview_->columnCount(); ++field)
        preview_->resizeColumnToContents(field);
}
