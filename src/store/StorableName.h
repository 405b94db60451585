#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Why a name cannot go into a table file, naming the first character in the way: a separator
// of the table text, a double quote, a line break, or a character Windows-1252 lacks.
// nullopt when the name can be stored as it is.
std::optional<QString> nameRefusal(QStringView name);
