#include "FieldsList.h"

#include "FieldsListRules.h"

#include <QStringListModel>

FieldsList::FieldsList(QWidget* parent)
    : QListView(parent)
    , model_(new QStringListModel(this))
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Measuring each of a million entries would take seconds.
    setUniformItemSizes(true);
}

void FieldsList::setFields(const QStringList& fields)
{
    model_->setStringList(fields);
    setCurrentRow(fields.isEmpty() ? -1 : 0);
}

QStringList FieldsList::fields() const
{
    return model_->stringList();
}

int FieldsList::count() const
{
    return model_->rowCount();
}

int FieldsList::currentRow() const
{
    return currentIndex().row();
}

void FieldsList::setCurrentRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    setCurrentIndex(model_->index(row));
}

QString FieldsList::selectedField() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current))
        return {};
    return current.data().toString();
}

void FieldsList::dropSelected()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current))
        return;
    const int removed = current.row();
    model_->removeRows(removed, 1);
    setCurrentRow(SelectionAfterRemoval(removed, count()));
}
