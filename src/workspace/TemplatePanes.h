#pragma once

#include "BodyChanges.h"

#include <QString>

class CatalogueList;
class QTextEdit;
class QWidget;
class ResultView;

// The template and result panes as the body of one template: loading a body into them and
// the save step that stores them back. It remembers which template the panes belong to, since
// the tree's selection may already have moved on when the save step runs.
class TemplatePanes
{
public:
    TemplatePanes(QTextEdit& templatePane, ResultView& resultPane, CatalogueList& templates, QWidget* dialogParent);

    // Which template the panes belong to; empty for none (the root).
    const QString& owner() const { return changes_.key(); }
    // The pane's text or formatting may have changed.
    void touch(BodyChanges::Pane pane) { changes_.touch(pane); }

    // Loads the template's body into the panes; the root empties the template pane.
    void open(const QString& key);
    // True while either pane holds a change that is not stored.
    bool modified() const;
    // The save step (leaving either pane, Run): when either pane differs from what was loaded
    // or last saved, stores both in the body of the template they belong to. Panes that
    // belong to no template are kept and the user told once. A body another window wrote
    // since is not overwritten unasked: the user keeps both (the panes become a new template
    // beside it), overwrites, or puts the question off. False while a change is not stored.
    bool save();
    // The save step before the panes are emptied, reloaded or closed. A change that cannot be
    // stored is dropped only when the user says so; they may instead add it as a new template
    // or stay. False to stay: the panes are then as they were.
    bool release();

private:
    enum class Stored { Yes, NoTemplate, Failed, Postponed };
    // The save step without telling about panes of no template; `releasing`: the panes are
    // about to go, so a question put off before is asked again.
    Stored store(bool releasing);
    // Adds a template holding the panes' text, which then belong to it.
    bool storeAsNewTemplate(const QString& name, const QString& parentKey, const BodyChanges::Texts& now);
    BodyChanges::Texts currentTexts() const;
    QString templateName(const QString& key) const;
    QString parentKeyOf(const QString& key) const;
    // A name for a copy of the template beside it.
    QString copyName(const QString& key) const;

    QTextEdit& templatePane_;
    ResultView& resultPane_;
    CatalogueList& templates_;
    QWidget* dialogParent_;
    BodyChanges changes_;
};
