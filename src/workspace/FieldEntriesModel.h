#pragma once

#include "TextRules.h"

#include <QAbstractListModel>

// The fields list's entries as pieces of one text of their own: a million fields then cost
// one text and their places in it rather than a million strings.
class FieldEntriesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(TextPieces entries);
    const TextPieces& entries() const { return entries_; }

    // The view asks for every row's index each time it lays the list out, after every field
    // filled in: this one makes no virtual calls.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    TextPieces entries_;
};
