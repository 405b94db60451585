#pragma once

#include "CatalogueModel.h"
#include "TemplateBody.h"
#include "ValueImportTarget.h"

#include <QObject>
#include <optional>

class CatalogueTree;
class DataStore;
class QLineEdit;

// One list page of the workspace (templates or values): the catalogue, the tree that shows
// it, the name box and the filter. It turns what the user does on the page into changes of
// the catalogue and words every change the catalogue refuses; where a new item goes follows
// the tree's selection.
class CatalogueList : public QObject, public ValueImportTarget
{
    Q_OBJECT

public:
    struct Controls
    {
        CatalogueTree* tree;
        QLineEdit* nameBox;
        QLineEdit* filterBox;
    };
    // `title` names an item in messages ("template", "value"); `dialogParent` owns them.
    CatalogueList(DataStore& store, const QString& file, const QString& bodyPrefix, const QString& title,
                  const Controls& controls, QWidget* dialogParent);

    CatalogueModel& catalogue() { return catalogue_; }
    const CatalogueModel& catalogue() const { return catalogue_; }
    CatalogueTree* tree() const { return controls_.tree; }

    // Reads the table afresh and shows what could not be placed in it.
    void load();

    // Adds an item under `parentKey`, or under the selected node when it is empty; a template
    // gets `body`. Returns its key, or nothing, with the tree unchanged, when it could not be
    // stored (the user has been told why).
    std::optional<QString> add(const QString& name, const QString& parentKey = {},
                               const QList<QStringView>& body = {kPaneSeparator});
    // Adds the name in the name box (Add, or Enter in the box); a refused name stays there.
    void addTyped();
    // Adds values under the selected node, in order, with one write for all the file can hold.
    // Returns how many were added.
    qsizetype addMany(const QStringList& names);
    // Removes the selected leaf once the user has confirmed it; its parent is selected after.
    void removeSelected();
    // Stores the item's new name (trimmed); a refused name is offered again for editing.
    void rename(const QString& key, const QString& typed);

    // ValueImportTarget
    QWidget* dialogParent() override { return dialogParent_; }
    CatalogueTree* valueTree() const override { return controls_.tree; }
    QList<qint32> takeValueIds(int count) override { return catalogue_.takeIds(count); }
    bool addValueRecords(const QList<QVariantList>& records) override;

private:
    // Says why the change was refused; a store failure has been reported already. `change`
    // is "removed" or "renamed" for an ID two records share.
    void explain(CatalogueModel::Refusal refusal, const QString& key, const QString& change);
    bool refuseUnreadable();
    // The selected item, or the root when nothing is selected: where a new item goes.
    QString selectedParent() const;
    // Opens the parents that were there before, so the user sees what was just added.
    void reveal(const QStringList& parentKeys);

    CatalogueModel catalogue_;
    QString title_;
    Controls controls_;
    QWidget* dialogParent_;
    // Set while a Remove is handled, so a click arriving meanwhile does nothing.
    bool removing_ = false;
};
