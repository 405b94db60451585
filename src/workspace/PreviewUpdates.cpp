#include "PreviewUpdates.h"

#include <QCoreApplication>
#include <QPointer>

PreviewUpdates::PreviewUpdates(std::function<Request()> read, QObject* parent)
    : QObject(parent)
    , read_(std::move(read))
{
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMilliseconds);
    connect(&quiet_, &QTimer::timeout, this, &PreviewUpdates::start);
    // One expansion at a time: a newer request only waits for an older one to notice it is stale.
    pool_.setMaxThreadCount(1);
}

PreviewUpdates::~PreviewUpdates()
{
    stop();
    pool_.waitForDone();
}

void PreviewUpdates::changed()
{
    quiet_.start();
}

void PreviewUpdates::now()
{
    quiet_.stop();
    start();
}

void PreviewUpdates::stop()
{
    quiet_.stop();
    last_.reset();
    ++*latest_;
    pool_.clear();
}

void PreviewUpdates::start()
{
    Request request = read_();
    if (last_ == request)
        return; // a format change or a box set to the number it had: nothing to work out again
    last_ = request;
    const quint64 number = ++*latest_;
    pool_.clear();
    QPointer<PreviewUpdates> self(this);
    pool_.start([self, number, latest = latest_, request = std::move(request)] {
        auto wanted = [&] { return latest->load() == number; };
        PreviewText preview = ExpandForPreview(request.templateText, request.compactStyle, request.answers, wanted);
        if (!wanted())
            return;
        // Handed over on the thread the controller lives on, where a stale one is dropped.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, number, latest, preview = std::move(preview)] {
                if (self && latest->load() == number)
                    emit self->ready(preview);
            },
            Qt::QueuedConnection);
    });
}
