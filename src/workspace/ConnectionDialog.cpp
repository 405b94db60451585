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

    cboKind_ = new QComboBox(this);
    cboKind_->setObjectName(QStringLiteral("cboKind"));
    for (DatabaseKind kind : availableDatabaseKinds())
        cboKind_->addItem(kindCaption(kind), int(kind));
    cboKind_->addItem(tr("Connection string"), kTypedString);

    txtFile_ = lineEdit(this, "txtFile");
    cmdFile_ = new QPushButton(tr("Browse..."), this);
    cmdFile_->setObjectName(QStringLiteral("cmdFile"));
    fileRow_ = new QWidget(this);
    auto* fileLayout = new QHBoxLayout(fileRow_);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(txtFile_);
    fileLayout->addWidget(cmdFile_);

    txtHost_ = lineEdit(this, "txtHost");
    txtHost_->setPlaceholderText(QStringLiteral("localhost"));
    spnPort_ = new QSpinBox(this);
    spnPort_->setObjectName(QStringLiteral("spnPort"));
    spnPort_->setRange(1, 65535);
    spnPort_->setValue(5432);
    txtDatabase_ = lineEdit(this, "txtDatabase");
    txtDataSource_ = lineEdit(this, "txtDataSource");
    txtUser_ = lineEdit(this, "txtUser");
    txtPassword_ = lineEdit(this, "txtPassword");
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtConnectionString_ = lineEdit(this, "txtConnectionString");
    txtConnectionString_->setPlaceholderText(QStringLiteral("Provider=SQLite;Data Source=/path/to/file.db"));

    form_ = new QFormLayout;
    form_->addRow(tr("&Database kind:"), cboKind_);
    form_->addRow(tr("&File:"), fileRow_);
    form_->addRow(tr("&Host:"), txtHost_);
    form_->addRow(tr("P&ort:"), spnPort_);
    form_->addRow(tr("Data&base:"), txtDatabase_);
    form_->addRow(tr("Data &source:"), txtDataSource_);
    form_->addRow(tr("&User:"), txtUser_);
    form_->addRow(tr("&Password:"), txtPassword_);
    form_->addRow(tr("&Connection string:"), txtConnectionString_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName(QStringLiteral("buttons"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(buttons_);

    connect(cboKind_, &QComboBox::currentIndexChanged, this, &ConnectionDialog::cboKind_Changed);
    connect(cmdFile_, &QPushButton::clicked, this, &ConnectionDialog::cmdFile_Click);
    for (QLineEdit* edit : {txtFile_, txtDatabase_, txtDataSource_, txtConnectionString_})
        connect(edit, &QLineEdit::textChanged, this, &ConnectionDialog::updateOkButton);
    cboKind_Changed();
}

int ConnectionDialog::currentKind() const
{
    return cboKind_->currentData().toInt();
}

void ConnectionDialog::cboKind_Changed()
{
    const int kind = currentKind();
    const bool network = kind == int(DatabaseKind::PostgreSql);
    const bool dataSource = kind == int(DatabaseKind::OdbcDataSource) || kind == int(DatabaseKind::Oracle);
    const bool login = network || dataSource;
    form_->setRowVisible(fileRow_, kind == int(DatabaseKind::SqliteFile));
    form_->setRowVisible(txtHost_, network);
    form_->setRowVisible(spnPort_, network);
    form_->setRowVisible(txtDatabase_, network);
    form_->setRowVisible(txtDataSource_, dataSource);
    form_->setRowVisible(txtUser_, login);
    form_->setRowVisible(txtPassword_, login);
    form_->setRowVisible(txtConnectionString_, kind == kTypedString);
    if (auto* label = qobject_cast<QLabel*>(form_->labelForField(txtDataSource_))) {
        label->setText(kind == int(DatabaseKind::Oracle) ? tr("Net &service name:") : tr("Data &source:"));
    }
    updateOkButton();
}

void ConnectionDialog::cmdFile_Click()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("SQLite file"), txtFile_->text(),
                                                      tr("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)"));
    if (!file.isEmpty())
        txtFile_->setText(file);
}

void ConnectionDialog::updateOkButton()
{
    bool complete = false;
    switch (currentKind()) {
    case int(DatabaseKind::SqliteFile): complete = !txtFile_->text().trimmed().isEmpty(); break;
    case int(DatabaseKind::PostgreSql): complete = !txtDatabase_->text().trimmed().isEmpty(); break;
    case int(DatabaseKind::OdbcDataSource):
    case int(DatabaseKind::Oracle): complete = !txtDataSource_->text().trimmed().isEmpty(); break;
    default: complete = !txtConnectionString_->text().trimmed().isEmpty(); break;
    }
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(complete);
}

QString ConnectionDialog::connectionString() const
{
    const int kind = currentKind();
    if (kind == kTypedString)
        return txtConnectionString_->text().trimmed();
    ConnectionFields fields;
    fields.kind = DatabaseKind(kind);
    fields.file = txtFile_->text().trimmed();
    fields.host = txtHost_->text().trimmed();
    fields.port = spnPort_->value();
    fields.database = txtDatabase_->text().trimmed();
    fields.dataSource = txtDataSource_->text().trimmed();
    fields.user = txtUser_->text().trimmed();
    fields.password = txtPassword_->text(); // blanks may belong to a password
    return composeConnectionString(fields);
}
