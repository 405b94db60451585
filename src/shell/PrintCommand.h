#pragma once

#include <QStringList>

class QPrinter;
class QTextDocument;
class QTextEdit;
class QWidget;

// Prints `document` at zero margins: through the print dialog on `printer` when printers
// are installed; without any, offers to save the pages as a PDF file instead.
// No document means no effect.
void PrintTemplate(QWidget* owner, const QTextDocument* document, QPrinter& printer,
                   const QStringList& installedPrinters);

// File > Print: the template pane on the current printer.
void PrintCommand(QWidget* owner, QTextEdit* templatePane);
