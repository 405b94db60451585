#include "WindowSettings.h"

#include <QSettings>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The Windows edition's settings group and keys: a user's saved window placement keeps working.
const QString kGroup = QStringLiteral("Settings");
const QString kLeftKey = QStringLiteral("MainLeft");
const QString kTopKey = QStringLiteral("MainTop");
const QString kWidthKey = QStringLiteral("MainWidth");
const QString kHeightKey = QStringLiteral("MainHeight");

float readSetting(QSettings& settings, const QString& key, float fallback, bool mustBePositive)
{
    bool ok = false;
    const float value = settings.value(key).toString().trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value) || (mustBePositive && value <= 0))
        return fallback;
    return value;
}

} // namespace

MainWindowPlacement ReadWindowSettings(QSettings& settings)
{
    const MainWindowPlacement defaults;
    settings.beginGroup(kGroup);
    MainWindowPlacement p;
    p.left = readSetting(settings, kLeftKey, defaults.left, false);
    p.top = readSetting(settings, kTopKey, defaults.top, false);
    p.width = readSetting(settings, kWidthKey, defaults.width, true);
    p.height = readSetting(settings, kHeightKey, defaults.height, true);
    settings.endGroup();
    return p;
}

void WriteWindowSettings(QSettings& settings, const MainWindowPlacement& p)
{
    settings.beginGroup(kGroup);
    settings.setValue(kLeftKey, SettingText(p.left));
    settings.setValue(kTopKey, SettingText(p.top));
    settings.setValue(kWidthKey, SettingText(p.width));
    settings.setValue(kHeightKey, SettingText(p.height));
    settings.endGroup();
    settings.sync();
}

QString SettingText(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

bool HasWindowSettings(QSettings& settings)
{
    for (const QString& key : {kLeftKey, kTopKey, kWidthKey, kHeightKey})
        if (settings.contains(kGroup + u'/' + key))
            return true;
    return false;
}

QRect FitOntoScreen(const QRect& frame, const QList<QRect>& availableAreas)
{
    if (availableAreas.isEmpty())
        return frame;
    const QRect* best = &availableAreas.first();
    qint64 bestShown = 0;
    for (const QRect& area : availableAreas) {
        const QRect shown = area.intersected(frame);
        const qint64 size = shown.isEmpty() ? 0 : qint64(shown.width()) * shown.height();
        if (size > bestShown) {
            bestShown = size;
            best = &area;
        }
    }
    const QRect& area = *best;
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
    return fitted;
}

QRect ClientAreaForFrame(const QRect& storedFrame, const QMargins& frame, const QSize& leastClient,
                         const QList<QRect>& availableAreas)
{
    const QSize leastFrame = leastClient.grownBy(frame);
    const QRect wanted(storedFrame.topLeft(), storedFrame.size().expandedTo(leastFrame));
    return FitOntoScreen(wanted, availableAreas).marginsRemoved(frame);
}

QSize FitWithinArea(const QSize& client, const QMargins& frame, const QRect& availableArea)
{
    return client.boundedTo(availableArea.size().shrunkBy(frame));
}

QRect FirstStartFrame(const QRect& availableArea)
{
    constexpr double kShare = 0.8;
    QRect frame(0, 0, int(availableArea.width() * kShare), int(availableArea.height() * kShare));
    frame.moveCenter(availableArea.center());
    return frame;
}
