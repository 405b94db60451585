#include "TemplatePanes.h"

#include "BusyCursor.h"
#include "CatalogueKeys.h"
#include "CatalogueList.h"
#include "CatalogueTree.h"
#include "CopyName.h"
#include "Dialogs.h"
#include "LargeBuffers.h"
#include "PaneRichText.h"
#include "ResultView.h"

#include <QSignalBlocker>
#include <QTextEdit>

TemplatePanes::TemplatePanes(QTextEdit& templatePane, ResultView& resultPane, CatalogueList& templates,
                             QWidget* dialogParent)
    : templatePane_(templatePane)
    , resultPane_(resultPane)
    , templates_(templates)
    , dialogParent_(dialogParent)
{
}

void TemplatePanes::open(const QString& key)
{
    if (IsRootKey(key)) {
        SetPaneRichText(templatePane_, QString());
        changes_.setStored(QString(), currentTexts());
        return;
    }
    BusyCursor busy;
    CatalogueModel& catalogue = templates_.catalogue();
    // Taken before reading: a write by another window in between is seen at the next save.
    const QByteArray version = catalogue.bodyVersion(key);
    const TemplateBody body = catalogue.readBody(key);
    SetPaneRichText(templatePane_, body.templateRichText);
    resultPane_.resultDocument()->setRichText(body.resultRichText);
    // Compared with the body as read, so a pane the user leaves alone is never written back,
    // and a body we could not read whole stays on disk as it is.
    changes_.setStored(key, {body.templateRichText, body.resultRichText}, version);
    ReleaseFreedBuffersWhenIdle();
}

BodyChanges::Texts TemplatePanes::currentTexts() const
{
    return changes_.current([this](BodyChanges::Pane pane) {
        return pane == BodyChanges::Pane::Template ? PaneRichText(templatePane_) : resultPane_.resultDocument()->richText();
    });
}

bool TemplatePanes::modified() const
{
    return changes_.differs(currentTexts());
}

bool TemplatePanes::save()
{
    const Stored outcome = store(false);
    if (outcome == Stored::NoTemplate && changes_.takeUnsavedWarning())
        Dialogs::current().message(dialogParent_,
                                   QStringLiteral("The panes belong to no template, so their changes are not saved."),
                                   Dialogs::Icon::Warning);
    return outcome == Stored::Yes;
}

bool TemplatePanes::release()
{
    const Stored outcome = store(true);
    if (outcome == Stored::Yes)
        return true;
    if (outcome == Stored::Postponed)
        return false;
    const QString owner = changes_.key();
    const QString why =
        owner.isEmpty() ? QStringLiteral("The panes belong to no template, so their changes cannot be saved.")
                        : QStringLiteral("The changes to the template \"%1\" could not be saved.").arg(templateName(owner));
    const int answer = Dialogs::current().choose(
        dialogParent_, why + QStringLiteral("\n\nAdd them as a new template?"),
        {QStringLiteral("Add as new template"), QStringLiteral("Discard changes"), QStringLiteral("Cancel")});
    if (answer == 1)
        return true;
    if (answer != 0)
        return false;
    const std::optional<QString> name =
        Dialogs::current().input(dialogParent_, QStringLiteral("Name of the new template:"), QString(),
                                 owner.isEmpty() ? QStringLiteral("New template") : copyName(owner));
    // A refused name or body (the store says why) keeps the panes as they are.
    return name && !name->trimmed().isEmpty() &&
           storeAsNewTemplate(name->trimmed(), owner.isEmpty() ? kRootKey : parentKeyOf(owner), currentTexts());
}

TemplatePanes::Stored TemplatePanes::store(bool releasing)
{
    const BodyChanges::Texts now = currentTexts();
    const QString key = changes_.key();
    CatalogueModel& catalogue = templates_.catalogue();
    if (!key.isEmpty() && !catalogue.item(key)) {
        // The user removed the template, its text and result with it.
        changes_.setStored(QString(), now);
        return Stored::Yes;
    }
    if (!changes_.differs(now))
        return catalogue.saveBody(changes_, now) ? Stored::Yes : Stored::Failed;
    if (key.isEmpty()) {
        // Panes under no template that hold no text (a Run of nothing, a style toggled) lose
        // nothing when they go.
        if (templatePane_.document()->isEmpty() && resultPane_.resultDocument()->text().isEmpty())
            return Stored::Yes;
        return Stored::NoTemplate;
    }
    const QByteArray onDisk = catalogue.bodyVersion(key);
    if (changes_.changedOnDisk(onDisk)) {
        // Another window on this Data folder wrote the body since we read it: neither text is
        // dropped without the user's word. Put off once, the question waits for the next edit
        // or until the panes are about to go.
        if (!releasing && !changes_.takeUnsavedWarning())
            return Stored::Postponed;
        const QString copy = copyName(key);
        const int answer = Dialogs::current().choose(
            dialogParent_,
            QStringLiteral("The template \"%1\" was %2 by another window since it was opened here.\n\n"
                           "Keep both (this window's text becomes the new template \"%3\"), or overwrite the "
                           "other window's changes?")
                .arg(templateName(key), onDisk.isEmpty() ? QStringLiteral("removed") : QStringLiteral("changed"), copy),
            {QStringLiteral("Keep both"), QStringLiteral("Overwrite"), QStringLiteral("Cancel")});
        if (answer == 0)
            return storeAsNewTemplate(copy, parentKeyOf(key), now) ? Stored::Yes : Stored::Failed;
        if (answer != 1)
            return Stored::Postponed;
    }
    BusyCursor busy;
    // After a failed write (already reported) the change stays unsaved, so leaving a pane or
    // closing the window tries again instead of dropping the edit.
    return catalogue.saveBody(changes_, now) ? Stored::Yes : Stored::Failed;
}

bool TemplatePanes::storeAsNewTemplate(const QString& name, const QString& parentKey, const BodyChanges::Texts& now)
{
    // The panes' template, or the root for panes of no template, is selected unless the user
    // is already moving on to another.
    CatalogueTree* tree = templates_.tree();
    const QString owner = changes_.key().isEmpty() ? kRootKey : changes_.key();
    const bool ownerShown = tree->selectedKey() == owner;
    BusyCursor busy;
    const std::optional<QString> key =
        templates_.add(name, parentKey, BodyPieces(now.templateRichText, now.resultRichText));
    if (!key)
        return false;
    changes_.setStored(*key, now, templates_.catalogue().bodyVersion(*key));
    if (ownerShown) {
        const QSignalBlocker quiet(tree);
        tree->selectNode(*key);
    }
    return true;
}

QString TemplatePanes::templateName(const QString& key) const
{
    const CatalogueItem* item = templates_.catalogue().item(key);
    return item ? item->name : key;
}

QString TemplatePanes::parentKeyOf(const QString& key) const
{
    const CatalogueItem* item = templates_.catalogue().item(key);
    return item && !item->parentKey.isEmpty() ? item->parentKey : kRootKey;
}

QString TemplatePanes::copyName(const QString& key) const
{
    const CatalogueModel& catalogue = templates_.catalogue();
    QStringList siblings;
    for (const QString& sibling : catalogue.childKeys(parentKeyOf(key)))
        siblings << catalogue.item(sibling)->name;
    return CopyName(templateName(key), siblings);
}
