// The workspace window's template bodies: loading one into the panes and saving them back.

#include "WorkspaceWindow.h"

#include "BusyCursor.h"
#include "CatalogueKeys.h"
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
    // A failed write (already reported) keeps the panes on their template: loading another
    // body over them would lose the edit.
    const QString owner = bodyChanges_.key();
    if (!saveTemplate() && !owner.isEmpty()) {
        // Once the click that moved the selection is done with it.
        QTimer::singleShot(0, this, [this, owner] {
            const QSignalBlocker quiet(templateTree_);
            templateTree_->selectNode(owner);
        });
        return;
    }
    const QString key = CatalogueTree::keyOf(node);
    if (IsRootKey(key)) {
        SetPaneRichText(*templatePane_, QString());
        bodyChanges_.setStored(QString(), currentPaneTexts());
    } else {
        BusyCursor busy;
        const TemplateBody body = SplitBody(StoredBodyText(dataStore().readBody(kTemplateBodyPrefix + key)));
        SetPaneRichText(*templatePane_, body.templateRichText);
        resultPane_->resultDocument()->setRichText(body.resultRichText);
        // Compared with the body as read, so a pane the user leaves alone is never written back,
        // and a body we could not read whole stays on disk as it is.
        bodyChanges_.setStored(key, {body.templateRichText, body.resultRichText});
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
    const BodyChanges::Texts now = currentPaneTexts();
    const QString key = bodyChanges_.key();
    if (!bodyChanges_.differs(now)) {
        // Touched but back as stored: nothing to build again until the next edit.
        bodyChanges_.setStored(key, now);
        return true;
    }
    if (key.isEmpty()) {
        if (bodyChanges_.takeUnsavedWarning())
            Dialogs::current().message(
                this,
                QStringLiteral("The panes belong to no template, so their changes are not saved."),
                Dialogs::Icon::Warning);
        return false;
    }
    BusyCursor busy;
    // After a failed write (already reported) the change stays unsaved, so leaving a pane or
    // closing the window tries again instead of dropping the edit.
    if (!dataStore().writeBody(kTemplateBodyPrefix + key, BodyPieces(now.templateRichText, now.resultRichText)))
        return false;
    bodyChanges_.setStored(key, now);
    return true;
}
