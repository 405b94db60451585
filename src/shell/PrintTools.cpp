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

// Where each line of a laid-out document starts: its top and its first character.
struct LineStart
{
    qreal top;
    int position;
};

std::vector<LineStart> lineStarts(const QTextDocument& document)
{
    std::vector<LineStart> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; layout && i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.push_back({layout->position().y() + line.y(), block.position() + line.textStart()});
        }
    }
    return lines;
}

// The page that holds character `position`.
int pageOf(const std::vector<LineStart>& lines, int position, qreal pageHeight)
{
    const auto after = std::upper_bound(lines.begin(), lines.end(), position,
                                        [](int p, const LineStart& line) { return p < line.position; });
    if (after == lines.begin())
        return 0;
    return int(std::prev(after)->top / pageHeight);
}

// The first character laid out below page `page`, or `length` when nothing is.
int firstPositionAfterPage(const std::vector<LineStart>& lines, int page, qreal pageHeight, int length)
{
    const qreal bottom = (page + 1) * pageHeight;
    // Lines come in document order, top to bottom.
    const auto below = std::partition_point(lines.begin(), lines.end(), [&](const LineStart& line) { return line.top < bottom; });
    return below == lines.end() ? length : below->position;
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
    const qreal pageHeight = text.height();
    pages->pageCount(); // lays the whole document out before its lines are read
    const std::vector<LineStart> lines = lineStarts(*pages);
    const int length = pages->characterCount() - 1;

    for (int start = 0;;) {
        const int page = pageOf(lines, start, pageHeight);
        painter.save();
        painter.translate(text.left(), text.top() - page * pageHeight);
        // The layout also draws a line that merely touches the clip, so the clip stays a
        // hair inside the page: the next page's first line must not show up here too.
        pages->drawContents(&painter, QRectF(0, page * pageHeight, text.width(), pageHeight).adjusted(0, 0.25, 0, -0.25));
        painter.restore();

        const int next = firstPositionAfterPage(lines, page, pageHeight, length);
        if (next >= length || next <= start) // done, or a page that made no progress
            break;
        if (!printer.newPage()) {
            reportFailure();
            return false;
        }
        start = next;
    }
    if (!painter.end()) {
        reportFailure();
        return false;
    }
    return true;
}
