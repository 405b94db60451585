#pragma once

#include <QString>
#include <QStringList>

// The name for a second copy of `name` among `takenNames`: "name (2)", or the next number no
// taken name uses (letter case ignored), so two copies never look alike in the tree.
QString CopyName(const QString& name, const QStringList& takenNames);
