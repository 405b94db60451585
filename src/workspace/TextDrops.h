#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Makes a widget take drops of plain text, always as a copy, and hands the dropped text on once
// the drop itself has finished. Drags without a plain-text form, or that cannot be copied, are
// refused, so the user sees at once that they will not land.
class TextDrops : public QObject
{
public:
    // Watches `target` (for an item view, its viewport); lives as long as `target`.
    TextDrops(QWidget* target, std::function<void(const QString&)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> dropped_;
};
