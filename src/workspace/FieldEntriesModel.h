#pragma once

#include "TextRules.h"

#include <QAbstractListModel>

// The fields list's entries as pieces of one text, usually the result they were found in:
// a million fields then cost their places in it rather than a million strings.
class FieldEntriesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(TextPieces entries);
    const TextPieces& entries() const { return entries_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    TextPieces entries_;
};
