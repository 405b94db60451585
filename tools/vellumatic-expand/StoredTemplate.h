#pragma once

#include "CatalogueModel.h"
#include "DataStore.h"
#include "StoredNames.h"
#include "TemplateBody.h"

#include <QString>

#include <memory>
#include <optional>

// The tool's view of a Data folder: its template catalogue and one template's body.
class StoredTemplates
{
public:
    // Opens the folder the program would open for `requested` (empty: none asked for) and
    // reads the template catalogue; null and `*error` set when it cannot be used.
    static std::unique_ptr<StoredTemplates> open(const QString& requested, QString* error);

    const CatalogueModel& catalogue() const { return catalogue_; }
    // The folder's own type map file, which need not exist.
    QString typeMapPath() const { return store_.tablePath(kTypeMapFile); }

    // The one template at `path`; empty and `*error` set when the path names none or several.
    QString keyAt(const QString& path, QString* error) const;
    // The template's body as stored, and the text its template pane holds.
    TemplateBody body(const QString& key) { return catalogue_.readBody(key); }
    // Stores `resultRichText` as the result pane of the body read as `stored`, as Run's
    // save step does (nothing is written when it is already what the body holds).
    bool saveResult(const QString& key, const TemplateBody& stored, const QString& resultRichText);

private:
    explicit StoredTemplates(const QString& folder);

    DataStore store_;
    CatalogueModel catalogue_;
};
