#include "BoundsDialog.h"

#include "BoundAnswerRules.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BoundsDialog::BoundsDialog(const QStringList& names, const QStringList& answers, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BoundsDialog"));
    setWindowTitle(QStringLiteral("Vellumatic"));
    auto* form = new QFormLayout;
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto* field = new QLineEdit(answers.value(i, QStringLiteral("1")), this);
        field->setObjectName(QStringLiteral("boundBox%1").arg(i));
        auto* reason = new QLabel(this);
        reason->setObjectName(QStringLiteral("boundReason%1").arg(i));
        reason->setStyleSheet(QStringLiteral("color: #b00000;"));
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(reason);
        form->addRow(QStringLiteral("Value for %1:").arg(names[i]), row);
        connect(field, &QLineEdit::textChanged, this, &BoundsDialog::check);
        fields_ << field;
        reasons_ << reason;
    }
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please enter a value for each name:"), this));
    layout->addLayout(form);
    layout->addWidget(buttons_);
    if (!fields_.isEmpty())
        fields_.first()->selectAll();
    check();
}

QStringList BoundsDialog::answers() const
{
    QStringList texts;
    for (const QLineEdit* field : fields_)
        texts << field->text().trimmed();
    return texts;
}

void BoundsDialog::check()
{
    bool allValid = true;
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        const std::optional<QString> problem = WholeNumberProblem(fields_[i]->text());
        reasons_[i]->setText(problem.value_or(QString()));
        allValid = allValid && !problem;
    }
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(allValid);
}
