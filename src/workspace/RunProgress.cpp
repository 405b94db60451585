#include "RunProgress.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressDialog>

#include <memory>

namespace {

// The dialog while it shows, with the arrow cursor over the busy one so Cancel looks
// pressable; both go when the run ends, however it ends.
class ShownProgress
{
public:
    explicit ShownProgress(QWidget* parent)
        : dialog_(QStringLiteral("Running the template..."), QStringLiteral("Cancel"), 0, kSteps, parent)
    {
        dialog_.setObjectName(QStringLiteral("RunProgress"));
        dialog_.setWindowTitle(QStringLiteral("Vellumatic"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(0);
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ShownProgress() { QGuiApplication::restoreOverrideCursor(); }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    // False once the user has pressed Cancel.
    bool show(qint64 done, qint64 total)
    {
        dialog_.setValue(int(done * kSteps / std::max<qint64>(total, 1)));
        QCoreApplication::processEvents();
        return !dialog_.wasCanceled();
    }

private:
    static constexpr int kSteps = 1000;
    QProgressDialog dialog_;
};

} // namespace

ExpansionProgress ProgressDialogFor(QWidget* parent, qint64 shownFrom)
{
    auto shown = std::make_shared<std::unique_ptr<ShownProgress>>();
    return [parent, shownFrom, shown](qint64 done, qint64 total) {
        if (!*shown) {
            if (total <= shownFrom || done >= total)
                return true;
            *shown = std::make_unique<ShownProgress>(parent);
        }
        const bool goOn = (*shown)->show(done, total);
        if (!goOn || done >= total)
            shown->reset();
        return goOn;
    };
}
