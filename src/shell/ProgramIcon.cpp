#include "ProgramIcon.h"

#include <QDir>

QIcon ProgramIcon()
{
    // The icons live in this static library; naming them here keeps the linker from dropping them.
    Q_INIT_RESOURCE(ProgramIcon);
    QIcon icon;
    for (const QString& size : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
        icon.addFile(QStringLiteral(":/icons/") + size);
    return icon;
}
