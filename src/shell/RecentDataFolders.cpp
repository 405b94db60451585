#include "RecentDataFolders.h"

#include <QDir>

namespace {
// Beside the window's own keys.
const QString kRecentKey = QStringLiteral("Settings/RecentDataFolders");
} // namespace

QStringList ReadRecentDataFolders(QSettings& settings)
{
    QStringList folders;
    for (const QString& folder : settings.value(kRecentKey).toStringList())
        if (!folder.isEmpty() && !folders.contains(folder) && folders.size() < kRecentDataFolders)
            folders << folder;
    return folders;
}

void RememberDataFolder(QSettings& settings, const QString& folder)
{
    const QString cleaned = QDir::cleanPath(folder);
    QStringList folders = ReadRecentDataFolders(settings);
    folders.removeAll(cleaned);
    folders.prepend(cleaned);
    settings.setValue(kRecentKey, folders.mid(0, kRecentDataFolders));
}
