#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QSettings;

// The main window's place on the screen as stored: outer position and size in twips.
struct MainWindowPlacement
{
    float left = 1000;
    float top = 1000;
    float width = 6500;
    float height = 6500;
    friend bool operator==(const MainWindowPlacement&, const MainWindowPlacement&) = default;
};

// Reads "MainLeft", "MainTop", "MainWidth", "MainHeight" from the group "Settings"; a missing
// value, or one that is not a usable number, gives its default.
MainWindowPlacement ReadWindowSettings(QSettings& settings);
void WriteWindowSettings(QSettings& settings, const MainWindowPlacement& placement);

// A setting as stored: the float's shortest decimal form, a fraction only when it has one.
QString SettingText(float value);

// A window frame that shows on no screen is moved (and shrunk if need be) into the first
// available area, so a position saved on a screen since unplugged does not lose the window.
QRect BringOntoScreen(const QRect& frame, const QList<QRect>& availableAreas);
