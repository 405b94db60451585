#include "PrintTools.h"

#include "Dialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool printsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

// The dialog works on a copy, so Cancel leaves the current printer exactly as it was.
void seedChoice(QPrinter& choice, const QPrinter& current)
{
    if (printsToFile(current))
        choice.setOutputFileName(current.outputFileName());
    else if (!current.printerName().isEmpty())
        choice.setPrinterName(current.printerName());
    choice.setCopyCount(current.copyCount());
    choice.setDuplex(current.duplex());
    choice.setPageOrientation(current.pageLayout().orientation());
}

void takePrinter(QPrinter& current, const QPrinter& choice, const QStringList& installedPrinters)
{
    if (printsToFile(choice)) {
        current.setOutputFileName(choice.outputFileName());
        return;
    }
    if (!printsToFile(current) && current.printerName() == choice.printerName())
        return;
    if (const auto name = PrinterToMakeCurrent(choice.printerName(), installedPrinters)) {
        current.setOutputFileName(QString()); // a printer chosen after a file prints on paper again
        current.setPrinterName(*name);
    }
}

// A line of a laid-out document, to be drawn on its own.
struct LaidOutLine
{
    const QTextLayout* layout;
    int index;
};

std::vector<LaidOutLine> laidOutLines(const QTextDocument& document)
{
    std::vector<LaidOutLine> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (int i = 0; block.layout() && i < block.layout()->lineCount(); ++i)
            lines.push_back({block.layout(), i});
    return lines;
}

Stretch stretchOf(const LaidOutLine& line)
{
    const QTextLine laid = line.layout->lineAt(line.index);
    const qreal top = line.layout->position().y() + laid.y();
    return {top, top + laid.height()};
}

// The text rectangle in device pixels, origin at the printable area's corner. Margins
// count from the paper's edges, but nothing is placed where the printer cannot print.
QRectF textRectangle(const QPrinter& printer, int left, int top, int right, int bottom)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const qreal toPixelsX = printer.logicalDpiX() / 1440.0;
    const qreal toPixelsY = printer.logicalDpiY() / 1440.0;
    const qreal offsetX = printable.left() - paper.left();
    const qreal offsetY = printable.top() - paper.top();
    const QRectF wanted(QPointF(left * toPixelsX - offsetX, top * toPixelsY - offsetY),
                        QPointF(paper.width() - right * toPixelsX - offsetX, paper.height() - bottom * toPixelsY - offsetY));
    return wanted.intersected(QRectF(QPointF(0, 0), printable.size()));
}

void reportFailure()
{
    Dialogs::current().message(QApplication::activeWindow(), QStringLiteral("Unexpected Error in printing"),
                               Dialogs::Icon::None);
}

} // namespace

QPrinter& CurrentPrinter()
{
    // Never deleted: it lives as long as the program, and printer plug-ins must not be
    // torn down after the application object.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

std::vector<PrintedPage> PagesOfLines(const std::vector<Stretch>& lines, qreal pageHeight)
{
    std::vector<PrintedPage> pages;
    for (std::size_t first = 0; first < lines.size();) {
        const qreal top = lines[first].top;
        std::size_t end = first + 1;
        while (end < lines.size() && lines[end].bottom <= top + pageHeight)
            ++end;
        pages.push_back({first, end, {top, std::min(lines[end - 1].bottom, top + pageHeight)}});
        first = end;
    }
    return pages;
}

std::optional<QString> PrinterToMakeCurrent(const QString& chosenName, const QStringList& installedPrinters)
{
    std::optional<QString> match;
    for (const QString& name : installedPrinters)
        if (name.compare(chosenName, Qt::CaseInsensitive) == 0)
            match = name;
    return match;
}

bool ShowPrinterDialog(QWidget* owner, QPrinter& current, const QStringList& installedPrinters)
{
    QPrinter choice(QPrinter::HighResolution);
    seedChoice(choice, current);
    if (!Dialogs::current().printDialog(owner, choice))
        return false;
    takePrinter(current, choice, installedPrinters);
    // Let the dialog disappear and the windows below repaint before printing starts.
    QCoreApplication::processEvents();
    current.setCopyCount(choice.copyCount());
    current.setDuplex(choice.duplex());
    current.setPageOrientation(choice.pageLayout().orientation());
    return true;
}

bool PrintRichText(const QTextDocument& document, QPrinter& printer, int left, int top, int right, int bottom)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        reportFailure();
        return false;
    }
    const QRectF text = textRectangle(printer, left, top, right, bottom);
    if (text.isEmpty()) {
        reportFailure();
        return false;
    }

    // Laid out on a copy at the printer's resolution, so the pane keeps its own layout.
    const std::unique_ptr<QTextDocument> pages(document.clone());
    pages->documentLayout()->setPaintDevice(&printer);
    pages->setDocumentMargin(0);
    pages->setPageSize(text.size());
    pages->pageCount(); // lays the whole document out before its lines are read
    const std::vector<LaidOutLine> lines = laidOutLines(*pages);
    std::vector<Stretch> stretches;
    for (const LaidOutLine& line : lines)
        stretches.push_back(stretchOf(line));
    const std::vector<PrintedPage> sheets = PagesOfLines(stretches, text.height());

    // Line by line rather than by a clip: the layout draws the line above a clip too, and
    // a PDF keeps clipped text, so a line at a break would be found on both pages.
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            reportFailure();
            return false;
        }
        const PrintedPage& sheet = sheets[i];
        painter.save();
        painter.translate(text.left(), text.top() - sheet.shown.top);
        painter.setClipRect(QRectF(0, sheet.shown.top, text.width(), sheet.shown.bottom - sheet.shown.top));
        for (std::size_t n = sheet.firstLine; n < sheet.endLine; ++n)
            lines[n].layout->lineAt(lines[n].index).draw(&painter, lines[n].layout->position());
        painter.restore();
    }
    if (!painter.end()) {
        reportFailure();
        return false;
    }
    return true;
}
