#pragma once

#include "TextRules.h"

#include <QListView>

class FieldEntriesModel;

// The fields list: one entry per field marker, single selection, over a model of pieces of
// one text so that a million fields cost neither a million items nor a million strings.
class FieldsList : public QListView
{
    Q_OBJECT

public:
    explicit FieldsList(QWidget* parent = nullptr);

    // Replaces the entries and selects the first one, if any.
    void setFields(TextPieces fields);
    const TextPieces& fields() const;
    int count() const;

    // The current entry's row, or -1; -1 as an argument clears the selection.
    int currentRow() const;
    void setCurrentRow(int row);
    // The selected entry, or the empty text when none is selected.
    QString selectedField() const;
    // Removes the selected entry and selects the one that followed it (or the new last one).
    void dropSelected();

private:
    FieldEntriesModel* model_;
};
