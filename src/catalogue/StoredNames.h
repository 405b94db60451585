#pragma once

#include <QString>

// The names of the data folder's files. Folders written by the Windows edition must keep
// opening, so each is spelt exactly as that edition wrote it, misspelling included.

// The template catalogue's table file ("Tempalates", sic).
inline const QString kTemplateCatalogueFile = QStringLiteral("Data\\Tempalates.app");
// The value catalogue's table file.
inline const QString kValueCatalogueFile = QStringLiteral("Data\\Values.app");
// A template's body file is this prefix and the template's key, as in "TMP_key12".
inline const QString kTemplateBodyPrefix = QStringLiteral("TMP_");
// Values keep no body files; the prefix is the one the Windows edition reserved for them.
inline const QString kValueBodyPrefix = QStringLiteral("VAL_");
// The Data folder's own type map; the Windows edition's folders lack it.
inline const QString kTypeMapFile = QStringLiteral("Data\\TypeMaps.tsv");
