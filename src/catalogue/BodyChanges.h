#pragma once

#include <QString>

#include <functional>

// Decides when a template's body is written: when either pane differs from what was last
// loaded from or saved to the body, and never otherwise, so a body nobody changed keeps its
// bytes. It also remembers which template the panes belong to, since the tree's selection
// may already have moved on when the save step runs.
class BodyChanges
{
public:
    enum class Pane { Template, Result };
    struct Texts
    {
        QString templateRichText;
        QString resultRichText;
    };

    // The panes now hold the body of `key` (empty when they belong to no template) as it is
    // stored: `stored` is their rich text at that moment.
    void setStored(const QString& key, const Texts& stored);
    const QString& key() const { return key_; }

    // The pane's text or formatting may have changed since.
    void touch(Pane pane);

    // The panes' rich text now. Only a touched pane is read (building a large pane's rich text
    // is slow); an untouched one is still as stored.
    Texts current(const std::function<QString(Pane)>& readPane) const;
    bool differs(const Texts& now) const;

    // True once after each change that could not be stored anywhere, so the user is told about
    // it once rather than every time the focus moves.
    bool takeUnsavedWarning();

private:
    QString key_;
    Texts stored_;
    bool templateTouched_ = false;
    bool resultTouched_ = false;
    bool warned_ = false;
};
