#pragma once

#include <QString>

// The fields list's own rules, kept out of the widget so they can be tested alone.

// The entry to select after entry `removed` left a list that now holds `remaining`
// entries: the one that followed it, the new last one when it was last, -1 when empty.
int SelectionAfterRemoval(int removed, int remaining);

// The name inside a field marker: the marker without its one-character delimiters.
QString FieldName(const QString& marker);
