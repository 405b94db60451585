#pragma once

#include <QSettings>
#include <QStringList>

// How many data folders File > Recent Data Folders offers.
inline constexpr int kRecentDataFolders = 5;

// The data folders opened last, the latest first, as stored in the user's settings.
QStringList ReadRecentDataFolders(QSettings& settings);
// Puts `folder` first in the stored list, once, dropping the oldest beyond kRecentDataFolders.
void RememberDataFolder(QSettings& settings, const QString& folder);
