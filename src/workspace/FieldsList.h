#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

// The fields list: one entry per field marker, single selection, over a string list model
// so that a million fields cost one list rather than a million items.
class FieldsList : public QListView
{
    Q_OBJECT

public:
    explicit FieldsList(QWidget* parent = nullptr);

    // Replaces the entries and selects the first one, if any.
    void setFields(const QStringList& fields);
    QStringList fields() const;
    int count() const;

    // The current entry's row, or -1; -1 as an argument clears the selection.
    int currentRow() const;
    void setCurrentRow(int row);
    // The selected entry, or the empty text when none is selected.
    QString selectedField() const;
    // Removes the selected entry and selects the one that followed it (or the new last one).
    void dropSelected();

private:
    QStringListModel* model_;
};
