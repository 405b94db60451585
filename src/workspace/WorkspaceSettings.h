#pragma once

#include <QSettings>
#include <QString>
#include <optional>

// The user's own settings store: application "Vellumatic", group "Settings" holds the
// window keys; what the workspace remembers sits beside them.
QSettings UserSettings();

// The catalogue column's starting width when the user has not moved the splitter.
inline constexpr float kCatalogueColumnTwips = 3450;

// The catalogue column's width as the user left it, in twips; nullopt when never stored
// or not a usable positive number.
std::optional<float> ReadCatalogueColumnTwips(QSettings& settings);
void WriteCatalogueColumnTwips(QSettings& settings, float twips);
