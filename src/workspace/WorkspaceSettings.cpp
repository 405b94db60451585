#include "WorkspaceSettings.h"

#include <cmath>

namespace {
// Our own key, kept beside the window placement in the same group.
const QString kColumnKey = QStringLiteral("Settings/CatalogueColumnWidth");
} // namespace

QSettings UserSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Vellumatic"), QStringLiteral("Vellumatic"));
}

std::optional<float> ReadCatalogueColumnTwips(QSettings& settings)
{
    bool ok = false;
    const float twips = settings.value(kColumnKey).toString().toFloat(&ok);
    if (!ok || !std::isfinite(twips) || twips <= 0)
        return std::nullopt;
    return twips;
}

void WriteCatalogueColumnTwips(QSettings& settings, float twips)
{
    settings.setValue(kColumnKey, QString::number(qRound(twips)));
}
