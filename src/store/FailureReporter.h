#pragma once

#include <QString>

// Where the store and its tables send the text of a trapped failure
// (for example: readTable: "No such file"). The program shows it in a
// critical message box; tests capture it.
class FailureReporter
{
public:
    virtual ~FailureReporter() = default;
    virtual void reportFailure(const QString& text) = 0;

    // The reporter in use; until one is installed, failures go to the Qt log.
    static FailureReporter& current();
    // Installs a reporter (not owned) and returns the previous one; nullptr restores the log.
    static FailureReporter* install(FailureReporter* reporter);
};

// Reports "<operation>: "<description>"", the form every trapped failure takes.
void reportFailure(const QString& operation, const QString& description);
