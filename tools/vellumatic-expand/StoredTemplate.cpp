#include "StoredTemplate.h"

#include "CataloguePaths.h"
#include "DataFolder.h"
#include "StoredNames.h"

StoredTemplates::StoredTemplates(const QString& folder)
    : store_(DataStore::forDataFolder(folder)), catalogue_(store_, kTemplateCatalogueFile, kTemplateBodyPrefix)
{
}

std::unique_ptr<StoredTemplates> StoredTemplates::open(const QString& requested, QString* error)
{
    const DataFolderChoice choice = ChooseDataFolder(ProgramDataFolderPlaces(requested));
    if (!choice.problem.isEmpty()) {
        *error = choice.problem;
        return nullptr;
    }
    std::unique_ptr<StoredTemplates> templates(new StoredTemplates(choice.folder));
    const CatalogueContents contents = templates->catalogue_.load();
    if (!contents.usable) {
        *error = QStringLiteral("%1 cannot be used: %2").arg(kTemplateCatalogueFile, contents.problems.join(u' '));
        return nullptr;
    }
    return templates;
}

QString StoredTemplates::keyAt(const QString& path, QString* error) const
{
    const QStringList keys = KeysAtPath(catalogue_, path);
    if (keys.size() == 1)
        return keys.first();
    *error = keys.isEmpty() ? QStringLiteral("no template at \"%1\"").arg(path)
                            : QStringLiteral("\"%1\" names %2 templates: %3").arg(path).arg(keys.size()).arg(keys.join(u' '));
    return QString();
}

bool StoredTemplates::saveResult(const QString& key, const TemplateBody& stored, const QString& resultRichText)
{
    BodyChanges changes;
    changes.setStored(key, {stored.templateRichText, stored.resultRichText});
    changes.touch(BodyChanges::Pane::Result);
    return catalogue_.saveBody(changes, {stored.templateRichText, resultRichText});
}
