#pragma once

#include <QString>
#include <QStringList>

class CatalogueModel;

// An item's path from the root: the names below Main joined by "/", a "/" inside a name
// written "\/" and a backslash "\\", so a path names one chain of items.

// Every item's path, in tree order.
QStringList CataloguePaths(const CatalogueModel& catalogue);

// The keys of the items whose path is `path`, letter case ignored, in tree order.
QStringList KeysAtPath(const CatalogueModel& catalogue, const QString& path);
