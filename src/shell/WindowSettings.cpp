#include "WindowSettings.h"

#include <QSettings>
#include <charconv>
#include <cmath>

namespace {

const QString kGroup = QStringLiteral("Settings");

// A window edge this far inside a screen is enough to grab it and pull it back.
constexpr int kVisibleMargin = 40;

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
    p.left = readSetting(settings, QStringLiteral("MainLeft"), defaults.left, false);
    p.top = readSetting(settings, QStringLiteral("MainTop"), defaults.top, false);
    p.width = readSetting(settings, QStringLiteral("MainWidth"), defaults.width, true);
    p.height = readSetting(settings, QStringLiteral("MainHeight"), defaults.height, true);
    settings.endGroup();
    return p;
}

void WriteWindowSettings(QSettings& settings, const MainWindowPlacement& p)
{
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("MainLeft"), SettingText(p.left));
    settings.setValue(QStringLiteral("MainTop"), SettingText(p.top));
    settings.setValue(QStringLiteral("MainWidth"), SettingText(p.width));
    settings.setValue(QStringLiteral("MainHeight"), SettingText(p.height));
    settings.endGroup();
    settings.sync();
}

QString SettingText(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QRect BringOntoScreen(const QRect& frame, const QList<QRect>& availableAreas)
{
    if (availableAreas.isEmpty())
        return frame;
    for (const QRect& area : availableAreas) {
        const QRect shown = area.intersected(frame);
        if (shown.width() >= std::min(kVisibleMargin, frame.width())
            && shown.height() >= std::min(kVisibleMargin, frame.height()))
            return frame;
    }
    const QRect& area = availableAreas.first();
    QRect moved(frame.topLeft(), frame.size().boundedTo(area.size()));
    moved.moveLeft(std::clamp(moved.left(), area.left(), area.right() - moved.width() + 1));
    moved.moveTop(std::clamp(moved.top(), area.top(), area.bottom() - moved.height() + 1));
    return moved;
}
