#pragma once

#include <QList>
#include <QMargins>
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

// True once any of the four keys has been stored; the first start has none.
bool HasWindowSettings(QSettings& settings);

// A stored frame fitted to the available area it mostly lies on (the first area when it
// lies on none): shrunk to that area's size and moved inside it, so no part of the window,
// its buttons and status bar included, is off the screen.
QRect FitOntoScreen(const QRect& frame, const QList<QRect>& availableAreas);

// Where to put the window's client area so that the frame the window manager draws around it
// (`frame`: its thickness on each side) lands on `storedFrame`, grown to hold `leastClient` and
// fitted onto the screen as FitOntoScreen does.
QRect ClientAreaForFrame(const QRect& storedFrame, const QMargins& frame, const QSize& leastClient,
                         const QList<QRect>& availableAreas);

// A client size that, with the window manager's `frame` around it, fits in `availableArea`.
QSize FitWithinArea(const QSize& client, const QMargins& frame, const QRect& availableArea);

// The first start: about 80 % of the available area, centred on it.
QRect FirstStartFrame(const QRect& availableArea);
