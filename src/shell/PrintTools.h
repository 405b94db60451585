#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QTextDocument;
class QWidget;

// The printer prints go to, with the settings last chosen in the print dialog, for the whole run.
QPrinter& CurrentPrinter();

// The installed printer to make current for the name chosen in the print dialog: the
// last one whose full name matches it regardless of letter case, or none.
std::optional<QString> PrinterToMakeCurrent(const QString& chosenName, const QStringList& installedPrinters);

// Shows the print dialog seeded with `current`'s printer, copies, duplex mode and
// orientation. On OK the chosen printer (or file) becomes `current`, with the chosen
// copies, duplex mode and orientation, and true is returned; Cancel changes nothing.
bool ShowPrinterDialog(QWidget* owner, QPrinter& current, const QStringList& installedPrinters);

// Prints the whole document to `printer` as one job, page after page, each page going
// on from the first character the previous one could not hold. Margins are in twips
// from the paper's edges; text never goes outside the area the printer can print.
// A failure is reported as "Unexpected Error in printing" and gives false.
bool PrintRichText(const QTextDocument& document, QPrinter& printer, int left, int top, int right, int bottom);
