#pragma once

#include "PreviewText.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

// Keeps a preview in step with its template without holding typing up: a change waits for a
// short pause, the expansion runs on a worker thread, and a result that a newer change has
// overtaken is dropped (its expansion stopped early where it can be).
class PreviewUpdates : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QString templateText;
        bool compactStyle = false;
        BoundAnswers answers;
        bool operator==(const Request&) const = default;
    };
    // The pause after the last change before the preview is worked out.
    static constexpr int kQuietMilliseconds = 30;

    // `read` gives what to expand as the controls now stand; it is called on this thread.
    explicit PreviewUpdates(std::function<Request()> read, QObject* parent = nullptr);
    ~PreviewUpdates() override;

    // Something the preview depends on changed: it follows after the pause.
    void changed();
    // Works the preview out without the pause (a new bound number, the preview shown).
    void now();
    // Stops following: what is under way is dropped.
    void stop();

signals:
    // The preview for the latest request.
    void ready(const PreviewText& preview);

private:
    void start();

    std::function<Request()> read_;
    QTimer quiet_;
    QThreadPool pool_;
    // The number of the latest request; a worker whose number is older gives up.
    std::shared_ptr<std::atomic<quint64>> latest_ = std::make_shared<std::atomic<quint64>>(0);
    std::optional<Request> last_;
};
