#include "ConnectionDialog.h"

#include "ConnectionFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kTypedString = -1;

QString kindCaption(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::SqliteFile: return QObject::tr("SQLite file");
    case DatabaseKind::PostgreSql: return QObject::tr("PostgreSQL");
    case DatabaseKind::OdbcDataSource: return QObject::tr("ODBC data source");
    case DatabaseKind::Oracle: return QObject::tr("Oracle");
    }
    return {};
}

QLineEdit* lineEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

ConnectionDialog::ConnectionDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ConnectionDialog"));
    setWindowTitle(tr("Import tables from a database"));

    kindBox_ = new QComboBox(this);
    kindBox_->setObjectName(QStringLiteral("kindBox"));
    for (DatabaseKind kind : availableDatabaseKinds())
        kindBox_->addItem(kindCaption(kind), int(kind));
    kindBox_->addItem(tr("Connection string"), kTypedString);

    fileBox_ = lineEdit(this, "fileBox");
    chooseFileButton_ = new QPushButton(tr("Browse..."), this);
    chooseFileButton_->setObjectName(QStringLiteral("chooseFileButton"));
    fileRow_ = new QWidget(this);
    auto* fileLayout = new QHBoxLayout(fileRow_);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(fileBox_);
    fileLayout->addWidget(chooseFileButton_);

    hostBox_ = lineEdit(this, "hostBox");
    hostBox_->setPlaceholderText(QStringLiteral("localhost"));
    portBox_ = new QSpinBox(this);
    portBox_->setObjectName(QStringLiteral("portBox"));
    portBox_->setRange(1, 65535);
    portBox_->setValue(5432);
    databaseBox_ = lineEdit(this, "databaseBox");
    dataSourceBox_ = lineEdit(this, "dataSourceBox");
    userBox_ = lineEdit(this, "userBox");
    passwordBox_ = lineEdit(this, "passwordBox");
    passwordBox_->setEchoMode(QLineEdit::Password);
    connectionStringBox_ = lineEdit(this, "connectionStringBox");
    connectionStringBox_->setPlaceholderText(QStringLiteral("Provider=SQLite;Data Source=/path/to/file.db"));

    form_ = new QFormLayout;
    form_->addRow(tr("&Database kind:"), kindBox_);
    form_->addRow(tr("&File:"), fileRow_);
    form_->addRow(tr("&Host:"), hostBox_);
    form_->addRow(tr("P&ort:"), portBox_);
    form_->addRow(tr("Data&base:"), databaseBox_);
    form_->addRow(tr("Data &source:"), dataSourceBox_);
    form_->addRow(tr("&User:"), userBox_);
    form_->addRow(tr("&Password:"), passwordBox_);
    form_->addRow(tr("&Connection string:"), connectionStringBox_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName(QStringLiteral("buttons"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(buttons_);

    connect(kindBox_, &QComboBox::currentIndexChanged, this, &ConnectionDialog::kindChanged);
    connect(chooseFileButton_, &QPushButton::clicked, this, &ConnectionDialog::chooseFile);
    for (QLineEdit* edit : {fileBox_, databaseBox_, dataSourceBox_, connectionStringBox_})
        connect(edit, &QLineEdit::textChanged, this, &ConnectionDialog::updateOkButton);
    kindChanged();
}

int ConnectionDialog::currentKind() const
{
    return kindBox_->currentData().toInt();
}

void ConnectionDialog::kindChanged()
{
    const int kind = currentKind();
    const bool network = kind == int(DatabaseKind::PostgreSql);
    const bool dataSource = kind == int(DatabaseKind::OdbcDataSource) || kind == int(DatabaseKind::Oracle);
    const bool login = network || dataSource;
    form_->setRowVisible(fileRow_, kind == int(DatabaseKind::SqliteFile));
    form_->setRowVisible(hostBox_, network);
    form_->setRowVisible(portBox_, network);
    form_->setRowVisible(databaseBox_, network);
    form_->setRowVisible(dataSourceBox_, dataSource);
    form_->setRowVisible(userBox_, login);
    form_->setRowVisible(passwordBox_, login);
    form_->setRowVisible(connectionStringBox_, kind == kTypedString);
    if (auto* label = qobject_cast<QLabel*>(form_->labelForField(dataSourceBox_))) {
        label->setText(kind == int(DatabaseKind::Oracle) ? tr("Net &service name:") : tr("Data &source:"));
    }
    updateOkButton();
}

void ConnectionDialog::chooseFile()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("SQLite file"), fileBox_->text(),
                                                      tr("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)"));
    if (!file.isEmpty())
        fileBox_->setText(file);
}

void ConnectionDialog::updateOkButton()
{
    bool complete = false;
    switch (currentKind()) {
    case int(DatabaseKind::SqliteFile): complete = !fileBox_->text().trimmed().isEmpty(); break;
    case int(DatabaseKind::PostgreSql): complete = !databaseBox_->text().trimmed().isEmpty(); break;
    case int(DatabaseKind::OdbcDataSource):
    case int(DatabaseKind::Oracle): complete = !dataSourceBox_->text().trimmed().isEmpty(); break;
    default: complete = !connectionStringBox_->text().trimmed().isEmpty(); break;
    }
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(complete);
}

QString ConnectionDialog::connectionString() const
{
    const int kind = currentKind();
    if (kind == kTypedString)
        return connectionStringBox_->text().trimmed();
    ConnectionFields fields;
    fields.kind = DatabaseKind(kind);
    fields.file = fileBox_->text().trimmed();
    fields.host = hostBox_->text().trimmed();
    fields.port = portBox_->value();
    fields.database = databaseBox_->text().trimmed();
    fields.dataSource = dataSourceBox_->text().trimmed();
    fields.user = userBox_->text().trimmed();
    fields.password = passwordBox_->text(); // blanks may belong to a password
    return composeConnectionString(fields);
}
