#include "FieldEntriesModel.h"

void FieldEntriesModel::setEntries(TextPieces entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

QModelIndex FieldEntriesModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || row >= entries_.spans.size() || column != 0 || parent.isValid())
        return {};
    return createIndex(row, column);
}

int FieldEntriesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.spans.size());
}

QVariant FieldEntriesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return entries_.at(index.row());
}

bool FieldEntriesModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0 || row < 0 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    entries_.spans.remove(row, count);
    endRemoveRows();
    return true;
}
