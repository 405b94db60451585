#pragma once

class ValueImportTarget;

// The "..." button of the value catalogue: asks for a database through the connection dialog
// and adds each of its tables, with one child value per column, under the value selected now
// (the root when none is). Each table is stored with one write; Cancel in the progress dialog
// keeps what was added before it.
void SchemaImportCommand(ValueImportTarget& target);
