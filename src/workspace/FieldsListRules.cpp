#include "FieldsListRules.h"

int SelectionAfterRemoval(int removed, int remaining)
{
    if (remaining <= 0)
        return -1;
    return removed >= remaining ? remaining - 1 : removed;
}

QString FieldName(const QString& marker)
{
    // A listed marker always has both delimiters; anything shorter has no name.
    if (marker.size() < 2)
        return {};
    return marker.mid(1, marker.size() - 2);
}
