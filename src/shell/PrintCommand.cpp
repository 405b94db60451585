#include "PrintCommand.h"

#include "BusyCursor.h"
#include "Dialogs.h"
#include "modPrintTools.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QTextEdit>

namespace {

// Without a printer the pages go to a PDF file the user names, or nowhere.
std::optional<QString> askPdfFile(QWidget* owner)
{
    Dialogs& dialogs = Dialogs::current();
    if (!dialogs.confirm(owner, QStringLiteral("No printer is installed. Save the template as a PDF file instead?")))
        return std::nullopt;
    std::optional<QString> file = dialogs.saveFileName(owner, QStringLiteral("Save as PDF"), QStringLiteral("PDF files (*.pdf)"));
    if (file && !file->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file->append(QStringLiteral(".pdf"));
    return file;
}

void printAtZeroMargins(const QTextDocument& document, QPrinter& printer)
{
    BusyCursor busy;
    PrintRichText(document, printer, 0, 0, 0, 0);
}

} // namespace

void PrintTemplate(QWidget* owner, const QTextDocument* document, QPrinter& printer,
                   const QStringList& installedPrinters)
{
    if (!document)
        return;
    if (!installedPrinters.isEmpty()) {
        if (ShowPrinterDialog(owner, printer, installedPrinters))
            printAtZeroMargins(*document, printer);
        return;
    }
    if (const std::optional<QString> file = askPdfFile(owner)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(*file);
        pdf.setPageOrientation(printer.pageLayout().orientation());
        printAtZeroMargins(*document, pdf);
    }
}

void PrintCommand(QWidget* owner, QTextEdit* templatePane)
{
    PrintTemplate(owner, templatePane ? templatePane->document() : nullptr, CurrentPrinter(),
                  QPrinterInfo::availablePrinterNames());
}
