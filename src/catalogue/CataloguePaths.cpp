#include "CataloguePaths.h"

#include "CatalogueKeys.h"
#include "CatalogueModel.h"

#include <QList>

#include <functional>
#include <utility>

namespace {

QString Escaped(const QString& name)
{
    QString text = name;
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'/', QStringLiteral("\\/"));
    return text;
}

// Calls `visit` with every item's key and path, depth first in the order shown. A stack of
// its own, so a deep chain in a damaged file cannot exhaust the call stack.
void VisitPaths(const CatalogueModel& catalogue, const std::function<void(const QString&, const QString&)>& visit)
{
    QList<std::pair<QString, QString>> pending; // key, path of its parent
    const auto push = [&](const QString& parentKey, const QString& parentPath) {
        const QStringList& children = catalogue.childKeys(parentKey);
        for (auto child = children.crbegin(); child != children.crend(); ++child)
            pending.append({*child, parentPath});
    };
    push(kRootKey, QString());
    while (!pending.isEmpty()) {
        const auto [key, parentPath] = pending.takeLast();
        const QString name = Escaped(catalogue.item(key)->name);
        const QString path = parentPath.isEmpty() ? name : parentPath + u'/' + name;
        visit(key, path);
        push(key, path);
    }
}

} // namespace

QStringList CataloguePaths(const CatalogueModel& catalogue)
{
    QStringList paths;
    paths.reserve(catalogue.size());
    VisitPaths(catalogue, [&](const QString&, const QString& path) { paths << path; });
    return paths;
}

QStringList KeysAtPath(const CatalogueModel& catalogue, const QString& path)
{
    QStringList keys;
    VisitPaths(catalogue, [&](const QString& key, const QString& itemPath) {
        if (itemPath.compare(path, Qt::CaseInsensitive) == 0)
            keys << key;
    });
    return keys;
}
