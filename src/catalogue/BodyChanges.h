#pragma once

#include <QByteArray>
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
    // stored: `stored` is their rich text at that moment, `fileVersion` the body file's
    // fingerprint (DataStore::bodyVersion) as that text was read or written.
    void setStored(const QString& key, const Texts& stored, const QByteArray& fileVersion = {});
    const QString& key() const { return key_; }
    const QByteArray& fileVersion() const { return fileVersion_; }
    // True when the body file now fingerprinted `fileVersion` is no longer the one the panes
    // came from or went to: another window wrote, created or removed it since.
    bool changedOnDisk(const QByteArray& fileVersion) const { return fileVersion != fileVersion_; }

    // The pane's text or formatting may have changed since.
    void touch(Pane pane);

    // The panes' rich text now. Only a touched pane is read (building a large pane's rich text
    // is slow); an untouched one is still as stored.
    Texts current(const std::function<QString(Pane)>& readPane) const;
    bool differs(const Texts& now) const;

    // True once after each change that could not be stored anywhere or whose body another
    // window wrote, so the user is told or asked once rather than every time the focus moves.
    bool takeUnsavedWarning();

private:
    QString key_;
    Texts stored_;
    QByteArray fileVersion_;
    bool templateTouched_ = false;
    bool resultTouched_ = false;
    bool warned_ = false;
};
