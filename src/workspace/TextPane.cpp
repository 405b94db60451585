#include "TextPane.h"

#include <QPlainTextEdit>
#include <QTextEdit>

QWidget* TextPane::widget() const
{
    return onPane([](auto* pane) -> QWidget* { return pane; });
}

QTextDocument* TextPane::document() const
{
    return *this ? onPane([](auto* pane) { return pane->document(); }) : nullptr;
}

bool TextPane::isReadOnly() const
{
    return onPane([](auto* pane) { return pane->isReadOnly(); });
}

QTextCursor TextPane::textCursor() const
{
    return onPane([](auto* pane) { return pane->textCursor(); });
}

void TextPane::setTextCursor(const QTextCursor& cursor) const
{
    onPane([&](auto* pane) { pane->setTextCursor(cursor); });
}

void TextPane::cut() const
{
    onPane([](auto* pane) { pane->cut(); });
}

void TextPane::copy() const
{
    onPane([](auto* pane) { pane->copy(); });
}

void TextPane::paste() const
{
    onPane([](auto* pane) { pane->paste(); });
}

void TextPane::undo() const
{
    onPane([](auto* pane) { pane->undo(); });
}

void TextPane::redo() const
{
    onPane([](auto* pane) { pane->redo(); });
}
