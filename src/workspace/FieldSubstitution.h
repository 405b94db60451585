#pragma once

#include "FieldModifiers.h"

#include <QString>
#include <QStringList>

class FieldsList;
class ResultDocument;

// Filling fields in on the result pane from the fields list. Each gesture that fills a
// field ends by dropping it from the list, so the selection moves on to the next one.

// Puts `value` in place of the selected field everywhere in the result (letter case
// ignored, inserted text never searched again), then drops the field. With no field
// selected the result stays as it is.
void FillSelectedField(ResultDocument& result, FieldsList& fields, const QString& value);

// Puts the selected field's own name (the marker without "$" and "!") in its place, then
// drops it. Does nothing when no field is selected.
void FillSelectedFieldWithName(ResultDocument& result, FieldsList& fields);

// Fills the selected field with the first of `values`, the next entry of the list with
// the next value, and so on until entries or values run out, as one undo step. Each filled
// field leaves the list; the entry after the last one filled is selected. Every field is
// found where it stood before the gesture: no value is searched for the fields after it.
void FillFollowingFields(ResultDocument& result, FieldsList& fields, const QStringList& values);

// Undo and redo of a fill: the list is made again from the result as it now stands, as Run
// makes it. After an undo the first marker the fill took (`filled`) is selected again; after
// a redo the entry that now stands where it stood is.
void ListFieldsAfterUndo(FieldsList& fields, const QString& resultText, const QStringList& filled,
                         const FieldModifiers& modifiers = FieldModifiers::standard());
void ListFieldsAfterRedo(FieldsList& fields, const QString& resultText, const QStringList& filled,
                         const FieldModifiers& modifiers = FieldModifiers::standard());
