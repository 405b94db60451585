#include "FillRowsCommand.h"

#include "BusyCursor.h"
#include "Dialogs.h"
#include "Expansion.h"
#include "FillRows.h"
#include "FillRowsDialog.h"
#include "ResultDocument.h"
#include "RunCommand.h"

namespace {

qsizetype RepetitionsOf(const ResultDocument& result, const QStringList& fieldNames)
{
    return FillRows(result.text(), fieldNames, {}, {}, result.modifiers()).repetitions;
}

// Whether to go on filling: the user may first have the template run again for every row.
bool MakeRoomForRows(const FillRowsTarget& target, qsizetype repetitions, qsizetype rows)
{
    const QStringList bounds = BoundNames(target.templateText);
    if (rows <= repetitions || bounds.size() != 1)
        return true;
    const int choice = Dialogs::current().choose(
        target.parent,
        QStringLiteral("The table has %1 rows and the result %2 repetitions. Run the template again with "
                       "\"%3\" set to %1, then fill?")
            .arg(rows)
            .arg(repetitions)
            .arg(bounds.first()),
        {QStringLiteral("Run Again"), QStringLiteral("Fill %1").arg(repetitions), QStringLiteral("Cancel")});
    if (choice == 0)
        return target.runAgain(bounds.first(), rows);
    return choice == 1;
}

} // namespace

void FillRowsCommand(const FillRowsTarget& target)
{
    ResultDocument& result = *target.result;
    const QStringList fieldNames = RowFieldNames(target.templateText, result.text(), result.modifiers());
    if (fieldNames.isEmpty()) {
        Dialogs::current().message(target.parent,
                                   QStringLiteral("The result has no repeated fields to fill from rows. Run a "
                                                  "template whose fields are numbered in repeated groups first."),
                                   Dialogs::Icon::Information);
        return;
    }
    const qsizetype repetitions = RepetitionsOf(result, fieldNames);
    FillRowsDialog dialog({fieldNames, repetitions, target.valueChildren}, target.parent);
    if (!Dialogs::current().accepted(dialog))
        return;
    if (!MakeRoomForRows(target, repetitions, dialog.table().rows.size()))
        return;
    BusyCursor busy;
    result.fillRows(fieldNames, dialog.columns(), dialog.table());
    FillFieldsList(*target.fields, result.text(), result.modifiers());
}
