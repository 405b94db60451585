#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class FieldsList;
class QWidget;
class ResultDocument;

// What Fill Rows works on in the window.
struct FillRowsTarget
{
    QWidget* parent = nullptr;
    QString templateText;
    ResultDocument* result = nullptr;
    FieldsList* fields = nullptr;
    QStringList valueChildren; // the selected value's children
    // Runs the template again with its one bound name answered `count`; false when that left
    // no result to fill.
    std::function<bool(const QString& boundName, qsizetype count)> runAgain;
};

// Edit > Fill Rows: asks for the rows in the Fill Rows dialog and fills repetition k of the
// result from row k, as one undo step; the fields list is made again from the result. When
// the table has more rows than the result has repetitions and the template one bound name,
// offers to run the template again with that many first.
void FillRowsCommand(const FillRowsTarget& target);
