#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

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

// A stretch of a laid-out document from top to bottom, such as one of its lines.
struct Stretch
{
    qreal top;
    qreal bottom;
};

// One printed page: the lines [firstLine, endLine) and the stretch of the document it shows.
struct PrintedPage
{
    std::size_t firstLine;
    std::size_t endLine;
    Stretch shown;
};

// Splits the lines of a document (in order, top to bottom) into pages of `pageHeight`:
// each page holds whole lines, at least one, and each line is on exactly one page. A line
// taller than a page gets a page of its own, cut at the page's foot.
std::vector<PrintedPage> PagesOfLines(const std::vector<Stretch>& lines, qreal pageHeight);

// Prints the whole document to `printer` as one job, page after page, each page going
// on with the first line the previous one could not hold whole. Margins are in twips
// from the paper's edges; text never goes outside the area the printer can print.
// A failure is reported as "Unexpected Error in printing" and gives false.
bool PrintRichText(const QTextDocument& document, QPrinter& printer, int left, int top, int right, int bottom);
