#include "FailureReporter.h"

#include <QDebug>

namespace {

class LogReporter final : public FailureReporter
{
public:
    void reportFailure(const QString& text) override { qWarning().noquote() << text; }
};

LogReporter logReporter;
FailureReporter* installed = nullptr;

} // namespace

bool FailureReporter::ask(const QString& question)
{
    qWarning().noquote() << question << "(answered No)";
    return false;
}

FailureReporter& FailureReporter::current()
{
    return installed ? *installed : static_cast<FailureReporter&>(logReporter);
}

FailureReporter* FailureReporter::install(FailureReporter* reporter)
{
    FailureReporter* previous = installed;
    installed = reporter;
    return previous;
}

void reportFailure(const QString& operation, const QString& description)
{
    FailureReporter::current().reportFailure(operation + QStringLiteral(": \"") + description + QLatin1Char('"'));
}
