#pragma once

#include <QTextCursor>
#include <cstddef>

class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QWidget;

// Either of the workspace's panes, the rich template pane or the plain result pane, for the
// commands that act on whichever one has the focus. Empty when no pane has it.
class TextPane
{
public:
    TextPane() = default;
    TextPane(std::nullptr_t) {}
    TextPane(QTextEdit* pane) : rich_(pane) {}
    TextPane(QPlainTextEdit* pane) : plain_(pane) {}

    explicit operator bool() const { return rich_ || plain_; }
    QWidget* widget() const;
    QTextDocument* document() const;
    bool isReadOnly() const;
    QTextCursor textCursor() const;
    void setTextCursor(const QTextCursor& cursor) const;
    void cut() const;
    void copy() const;
    void paste() const;
    void undo() const;
    void redo() const;

private:
    template <typename Action>
    auto onPane(Action action) const
    {
        return rich_ ? action(rich_) : action(plain_);
    }

    QTextEdit* rich_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
};
