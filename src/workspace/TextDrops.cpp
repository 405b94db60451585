#include "TextDrops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

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
        if (drag->mimeData()->hasText())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasText()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
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
