#pragma once

#include <QString>

// Where the store and its tables send the text of a trapped failure
// (for example: readTable: "No such file") and the questions a file makes them ask. The program
// shows them in message boxes; tests capture and answer them.
class FailureReporter
{
public:
    virtual ~FailureReporter() = default;
    virtual void reportFailure(const QString& text) = 0;
    // A Yes/No question; true for Yes. Where nobody can answer, the answer is No.
    virtual bool ask(const QString& question);

    // The reporter in use; until one is installed, failures go to the Qt log.
    static FailureReporter& current();
    // Installs a reporter (not owned) and returns the previous one; nullptr restores the log.
    static FailureReporter* install(FailureReporter* reporter);
};

// Reports "<operation>: "<description>"", the form every trapped failure takes.
void reportFailure(const QString& operation, const QString& description);
