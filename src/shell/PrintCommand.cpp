#include "PrintCommand.h"

#include "BusyCursor.h"
#include "Dialogs.h"
#include "PrintTools.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Without a printer the pages go to a PDF file the user names, or nowhere.
std::optional<QString> askPdfFile(QWidget* owner, PrintedPane pane)
{
    Dialogs& dialogs = Dialogs::current();
    const QString question = pane == PrintedPane::Result
                                 ? QStringLiteral("No printer is installed. Save the result as a PDF file instead?")
                                 : QStringLiteral("No printer is installed. Save the template as a PDF file instead?");
    if (!dialogs.confirm(owner, question))
        return std::nullopt;
    std::optional<QString> file = dialogs.saveFileName(owner, QStringLiteral("Save as PDF"), QStringLiteral("PDF files (*.pdf)"));
    if (file && !file->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file->append(QStringLiteral(".pdf"));
    return file;
}

bool printAtZeroMargins(const QTextDocument& document, QPrinter& printer)
{
    BusyCursor busy;
    return PrintRichText(document, printer, 0, 0, 0, 0);
}

} // namespace

QString PrintPane(QWidget* owner, PrintedPane pane, const QTextDocument* document, QPrinter& printer,
                  const QStringList& installedPrinters)
{
    if (!document)
        return QString();
    if (!installedPrinters.isEmpty()) {
        if (!ShowPrinterDialog(owner, printer, installedPrinters))
            return QString();
        const bool printed = printAtZeroMargins(*document, printer);
        return printed && printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    }
    if (const std::optional<QString> file = askPdfFile(owner, pane)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(*file);
        pdf.setPageOrientation(printer.pageLayout().orientation());
        if (printAtZeroMargins(*document, pdf))
            return *file;
    }
    return QString();
}

QString PrintCommand(QWidget* owner, PrintedPane pane, const QTextDocument* document)
{
    const QString pdf = PrintPane(owner, pane, document, CurrentPrinter(), QPrinterInfo::availablePrinterNames());
    return pdf.isEmpty() ? QString() : QStringLiteral(" Printed to %1").arg(QDir::toNativeSeparators(pdf));
}
