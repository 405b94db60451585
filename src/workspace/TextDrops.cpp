#include "TextDrops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

// Reading the text must leave its source as it was, so a drag that only offers a move is refused.
bool canCopy(const QDropEvent& drop)
{
    return drop.mimeData()->hasText() && (drop.possibleActions() & Qt::CopyAction);
}

} // namespace

TextDrops::TextDrops(QWidget* target, std::function<void(const QString&)> dropped)
    : QObject(target)
    , dropped_(std::move(dropped))
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool TextDrops::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Handled here whole: the item view would otherwise judge the drag by its own rules.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (canCopy(*drag)) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!canCopy(*drop)) {
            drop->ignore();
            return true;
        }
        // Always a copy: a move would have the source delete the text it offered.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // Handed on once the drop has returned: the handler may ask the user, and a modal
        // box inside the drop would hold the application the text came from.
        QMetaObject::invokeMethod(this, [this, text = drop->mimeData()->text()] { dropped_(text); },
                                  Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
