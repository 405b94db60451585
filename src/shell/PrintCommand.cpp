#include "PrintCommand.h"

#include "BusyCursor.h"
#include "Dialogs.h"
#include "PrintTools.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

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

bool printAtZeroMargins(const QTextDocument& document, QPrinter& printer)
{
    BusyCursor busy;
    return PrintRichText(document, printer, 0, 0, 0, 0);
}

} // namespace

QString PrintTemplate(QWidget* owner, const QTextDocument* document, QPrinter& printer,
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
    if (const std::optional<QString> file = askPdfFile(owner)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(*file);
        pdf.setPageOrientation(printer.pageLayout().orientation());
        if (printAtZeroMargins(*document, pdf))
            return *file;
    }
    return QString();
}

QString PrintCommand(QWidget* owner, const QTextDocument* pane)
{
    const QString pdf = PrintTemplate(owner, pane, CurrentPrinter(), QPrinterInfo::availablePrinterNames());
    return pdf.isEmpty() ? QString() : QStringLiteral(" Printed to %1").arg(QDir::toNativeSeparators(pdf));
}
