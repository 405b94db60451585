#include "FieldsList.h"

#include "FieldEntriesModel.h"
#include "FieldsListRules.h"

FieldsList::FieldsList(QWidget* parent)
    : QListView(parent)
    , model_(new FieldEntriesModel(this))
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Measuring each of a million entries would take seconds.
    setUniformItemSizes(true);
    // Scrolling by entries walks the whole list on every change of the current entry.
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void FieldsList::setFields(TextPieces fields)
{
    model_->setEntries(std::move(fields));
    setCurrentRow(count() > 0 ? 0 : -1);
}

const TextPieces& FieldsList::fields() const
{
    return model_->entries();
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
