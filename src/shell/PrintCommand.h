#pragma once

#include <QStringList>

class QPrinter;
class QTextDocument;
class QWidget;

// Which pane is printed, so that questions can name it.
enum class PrintedPane { Template, Result };

// Prints `document` (the text of `pane`) at zero margins: through the print dialog on
// `printer` when printers are installed; without any, offers to save the pages as a PDF
// file instead. No document means no effect. Returns the PDF file the pages went to, if any.
QString PrintPane(QWidget* owner, PrintedPane pane, const QTextDocument* document, QPrinter& printer,
                  const QStringList& installedPrinters);

// File > Print: the pane the user last worked in on the current printer. Returns the
// status bar's text: which PDF file the pages went to, or nothing.
QString PrintCommand(QWidget* owner, PrintedPane pane, const QTextDocument* document);
