#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks every bound name of a run at once, each in its own field with the reason beside it
// while the answer is not a whole number; OK stays disabled until every answer is one.
class BoundsDialog : public QDialog
{
    Q_OBJECT

public:
    BoundsDialog(const QStringList& names, const QStringList& answers, QWidget* parent = nullptr);

    QStringList answers() const;
    QLineEdit* field(qsizetype index) const { return fields_.value(index); }
    QLabel* reason(qsizetype index) const { return reasons_.value(index); }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    void check();

    QList<QLineEdit*> fields_;
    QList<QLabel*> reasons_;
    QDialogButtonBox* buttons_ = nullptr;
};
