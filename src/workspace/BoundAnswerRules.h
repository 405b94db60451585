#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <optional>

// Why an answer for a bound name cannot be used, or nullopt when it is a whole number the
// expansion can take (blanks around and a sign allowed, within the 32-bit range).
std::optional<QString> WholeNumberProblem(const QString& answer);

// The answers last given for the names in a template (one per name, "1" for a name never
// answered there); names match without regard to letter case.
QStringList RememberedAnswers(QSettings& settings, const QString& templateKey, const QStringList& names);
// The usable answer last given for `name` in the template, if any.
std::optional<QString> StoredAnswer(QSettings& settings, const QString& templateKey, const QString& name);
void RememberAnswers(QSettings& settings, const QString& templateKey, const QStringList& names,
                     const QStringList& answers);
