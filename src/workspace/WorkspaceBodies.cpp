// The workspace window's template bodies: loading one into the panes and saving them back.

#include "WorkspaceWindow.h"

#include "BusyCursor.h"
#include "CatalogueKeys.h"
#include "CopyName.h"
#include "Dialogs.h"
#include "PaneRichText.h"
#include "ResultView.h"
#include "TemplateBody.h"
#include "LargeBuffers.h"

#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>

void WorkspaceWindow::openTemplate(QTreeWidgetItem* node)
{
    // The panes' changes go to the template they belong to before anything replaces them.
    // When they cannot go anywhere and the user chose to stay, the panes keep their template:
    // loading another body over them would lose the edit.
    const QString owner = bodyChanges_.key();
    if (!releasePanes()) {
        // Once the click that moved the selection is done with it.
        QTimer::singleShot(0, this, [this, owner] {
            const QSignalBlocker quiet(templateTree_);
            templateTree_->selectNode(owner.isEmpty() ? kRootKey : owner);
        });
        return;
    }
    const QString key = CatalogueTree::keyOf(node);
    if (IsRootKey(key)) {
        SetPaneRichText(*templatePane_, QString());
        bodyChanges_.setStored(QString(), currentPaneTexts());
    } else {
        BusyCursor busy;
        // Taken before reading: a write by another window in between is seen at the next save.
        const QByteArray version = bodyVersion(key);
        const TemplateBody body = SplitBody(StoredBodyText(dataStore().readBody(kTemplateBodyPrefix + key)));
        SetPaneRichText(*templatePane_, body.templateRichText);
        resultPane_->resultDocument()->setRichText(body.resultRichText);
        // Compared with the body as read, so a pane the user leaves alone is never written back,
        // and a body we could not read whole stays on disk as it is.
        bodyChanges_.setStored(key, {body.templateRichText, body.resultRichText}, version);
        ReleaseFreedBuffersWhenIdle();
    }
    selectBodyTab(kTemplatePaneTab);
}

BodyChanges::Texts WorkspaceWindow::currentPaneTexts() const
{
    return bodyChanges_.current([this](BodyChanges::Pane pane) {
        return pane == BodyChanges::Pane::Template ? PaneRichText(*templatePane_)
                                                   : resultPane_->resultDocument()->richText();
    });
}

bool WorkspaceWindow::templateModified() const
{
    return bodyChanges_.differs(currentPaneTexts());
}

bool WorkspaceWindow::saveTemplate()
{
    const PanesStored outcome = storePanes(false);
    if (outcome == PanesStored::NoTemplate && bodyChanges_.takeUnsavedWarning())
        Dialogs::current().message(
            this, QStringLiteral("The panes belong to no template, so their changes are not saved."),
            Dialogs::Icon::Warning);
    return outcome == PanesStored::Yes;
}

bool WorkspaceWindow::releasePanes()
{
    const PanesStored outcome = storePanes(true);
    if (outcome == PanesStored::Yes)
        return true;
    if (outcome == PanesStored::Postponed)
        return false;
    const QString owner = bodyChanges_.key();
    const QString why =
        owner.isEmpty() ? QStringLiteral("The panes belong to no template, so their changes cannot be saved.")
                        : QStringLiteral("The changes to the template \"%1\" could not be saved.").arg(templateName(owner));
    const int answer = Dialogs::current().choose(
        this, why + QStringLiteral("\n\nAdd them as a new template?"),
        {QStringLiteral("Add as new template"), QStringLiteral("Discard changes"), QStringLiteral("Cancel")});
    if (answer == 1)
        return true;
    if (answer != 0)
        return false;
    const std::optional<QString> name =
        Dialogs::current().input(this, QStringLiteral("Name of the new template:"), QString(),
                                 owner.isEmpty() ? QStringLiteral("New template") : copyName(owner));
    // A refused name or body (the store says why) keeps the panes as they are.
    return name && !name->trimmed().isEmpty() &&
           storeAsNewTemplate(name->trimmed(), owner.isEmpty() ? kRootKey : parentKeyOf(owner), currentPaneTexts());
}

WorkspaceWindow::PanesStored WorkspaceWindow::storePanes(bool releasing)
{
    const BodyChanges::Texts now = currentPaneTexts();
    const QString key = bodyChanges_.key();
    if (!bodyChanges_.differs(now)) {
        // Touched but back as stored: nothing to build again until the next edit.
        bodyChanges_.setStored(key, now, bodyChanges_.fileVersion());
        return PanesStored::Yes;
    }
    if (key.isEmpty()) {
        // Panes under no template that hold no text (a Run of nothing, a style toggled) lose
        // nothing when they go.
        if (templatePane_->document()->isEmpty() && resultPane_->resultDocument()->text().isEmpty())
            return PanesStored::Yes;
        return PanesStored::NoTemplate;
    }
    const QByteArray onDisk = bodyVersion(key);
    if (bodyChanges_.changedOnDisk(onDisk)) {
        // Another window on this Data folder wrote the body since we read it: neither text is
        // dropped without the user's word. Put off once, the question waits for the next edit
        // or until the panes are about to go.
        if (!releasing && !bodyChanges_.takeUnsavedWarning())
            return PanesStored::Postponed;
        const QString copy = copyName(key);
        const int answer = Dialogs::current().choose(
            this,
            QStringLiteral("The template \"%1\" was %2 by another window since it was opened here.\n\n"
                           "Keep both (this window's text becomes the new template \"%3\"), or overwrite the "
                           "other window's changes?")
                .arg(templateName(key), onDisk.isEmpty() ? QStringLiteral("removed") : QStringLiteral("changed"), copy),
            {QStringLiteral("Keep both"), QStringLiteral("Overwrite"), QStringLiteral("Cancel")});
        if (answer == 0)
            return storeAsNewTemplate(copy, parentKeyOf(key), now) ? PanesStored::Yes : PanesStored::Failed;
        if (answer != 1)
            return PanesStored::Postponed;
    }
    BusyCursor busy;
    // After a failed write (already reported) the change stays unsaved, so leaving a pane or
    // closing the window tries again instead of dropping the edit.
    if (!dataStore().writeBody(kTemplateBodyPrefix + key, BodyPieces(now.templateRichText, now.resultRichText)))
        return PanesStored::Failed;
    bodyChanges_.setStored(key, now, bodyVersion(key));
    return PanesStored::Yes;
}

bool WorkspaceWindow::storeAsNewTemplate(const QString& name, const QString& parentKey, const BodyChanges::Texts& now)
{
    // The panes' template, or the root for panes of no template, is selected unless the user
    // is already moving on to another.
    const QString owner = bodyChanges_.key().isEmpty() ? kRootKey : bodyChanges_.key();
    const bool ownerShown = templateTree_->selectedKey() == owner;
    BusyCursor busy;
    const std::optional<QString> key =
        addItem(templates_, name, parentKey, BodyPieces(now.templateRichText, now.resultRichText));
    if (!key)
        return false;
    bodyChanges_.setStored(*key, now, bodyVersion(*key));
    if (ownerShown) {
        const QSignalBlocker quiet(templateTree_);
        templateTree_->selectNode(*key);
    }
    return true;
}

QByteArray WorkspaceWindow::bodyVersion(const QString& key)
{
    return dataStore().bodyVersion(kTemplateBodyPrefix + key);
}

QString WorkspaceWindow::templateName(const QString& key) const
{
    const QTreeWidgetItem* node = templateTree_->node(key);
    return node ? node->text(0) : key;
}

QString WorkspaceWindow::parentKeyOf(const QString& key) const
{
    const QTreeWidgetItem* node = templateTree_->node(key);
    return node && node->parent() ? CatalogueTree::keyOf(node->parent()) : kRootKey;
}

QString WorkspaceWindow::copyName(const QString& key) const
{
    QStringList siblings;
    if (const QTreeWidgetItem* parent = templateTree_->node(parentKeyOf(key)))
        for (int i = 0; i < parent->childCount(); ++i)
            siblings << parent->child(i)->text(0);
    return CopyName(templateName(key), siblings);
}
