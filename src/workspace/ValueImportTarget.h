#pragma once

#include <QList>
#include <QVariantList>

class CatalogueTree;
class QWidget;

// What a schema import needs of the workspace: the value tree it adds under, IDs for the new
// values, and one write of the value table per imported table.
class ValueImportTarget
{
public:
    // The window the import's dialogs belong to.
    virtual QWidget* dialogParent() = 0;
    virtual CatalogueTree* valueTree() const = 0;
    // IDs for the next `count` new values, counted as added.
    virtual QList<qint32> takeValueIds(int count) = 0;
    // Stores value records (ID, Name, ParentID, 0, 3) with one write, then shows them; false,
    // with tree and file unchanged, when they could not be stored.
    virtual bool addValueRecords(const QList<QVariantList>& records) = 0;

protected:
    ~ValueImportTarget() = default;
};
