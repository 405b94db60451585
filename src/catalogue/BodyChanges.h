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
    // A pane as last stored. Its rich text is kept while the pane is untouched, since a save
    // writes it back as it is; once touched, only its size and fingerprint are kept, so a long
    // result's old rich text is gone before the new one is built.
    struct StoredPane
    {
        QString richText;
        qsizetype size = 0;
        size_t fingerprint = 0;
        bool touched = false;

        void store(const QString& text);
        void touch();
        bool differs(const QString& now) const;
    };

    QString key_;
    StoredPane template_;
    StoredPane result_;
    bool warned_ = false;
};
