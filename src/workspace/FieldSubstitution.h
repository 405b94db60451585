#pragma once

#include <QString>

class QListWidget;
class QTextEdit;

// Filling fields in on the result pane from the fields list. Each gesture that fills a
// field ends by dropping it from the list, so the selection moves on to the next one.

// Removes the selected entry and selects the one that followed it (or the new last one).
// The result text is not touched: the field stays in it as a marker.
void DropSelectedField(QListWidget& fields);

// Puts `value` in place of the selected field everywhere in the result (letter case
// ignored, inserted text never searched again), then drops the field. With no field
// selected the result stays as it is.
void FillSelectedField(QTextEdit& result, QListWidget& fields, const QString& value);

// Puts the selected field's own name (the marker without "$" and "!") in its place, then
// drops it. Does nothing when no field is selected.
void FillSelectedFieldWithName(QTextEdit& result, QListWidget& fields);
