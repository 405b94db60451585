#include "PrintCommand.h"
#include "PrintTools.h"
#include "ScriptedDialogs.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class Print : public testing::Test
{
protected:
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    QTextDocument pane;
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        pane.setDefaultFont(QFont("DejaVu Sans", 11));
    }

    // The text of each printed page, as poppler reads it back.
    QStringList pages(const QString& name) const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-enc", "UTF-8", dir.filePath(name), "-"});
        EXPECT_TRUE(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
        QStringList text = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
        text.removeLast(); // every page ends with a form feed, the last one too
        return text;
    }

    // The pages printed from `text` with the margins given in twips.
    QStringList printed(const QString& text, const QString& name, const QMargins& m = {})
    {
        pane.setPlainText(text);
        printer.setOutputFileName(dir.filePath(name));
        EXPECT_TRUE(PrintRichText(pane, printer, m.left(), m.top(), m.right(), m.bottom()));
        return pages(name);
    }

    static std::string words(const QStringList& text) { return text.join(' ').simplified().toStdString(); }
};

} // namespace

TEST_F(Print, EveryLineComesOnceOnFullPagesAndTheCommandPrintsOnlyWhatTheUserConfirmedOnThePrinterChosen)
{
    EXPECT_EQ(printed("", "empty.pdf").size(), 1);
    QStringList lines, paragraph;
    for (int i = 1; i <= 400; ++i)
        lines << QStringLiteral("L%1 [($Field!|1|n)(,|1|n-1)]").arg(i, 4, 10, QChar('0'));
    const QRegularExpression lineLabel("L\\d{4}");
    const QStringList full = printed(lines.join('\n'), "lines.pdf");
    ASSERT_GT(full.size(), 1);
    const qsizetype perPage = full[0].count(lineLabel);
    const double estimate = printer.pageRect(QPrinter::DevicePixel).height() /
                            QFontMetricsF(pane.defaultFont(), &printer).lineSpacing();
    EXPECT_NEAR(double(perPage), estimate, estimate * 0.1);
    EXPECT_EQ(full.size(), std::ceil(400.0 / double(perPage)));
    EXPECT_EQ(words(full), words(lines));

    const QStringList narrow = printed(lines.join('\n'), "margins.pdf", {1440, 2880, 1440, 2880}); // four inches off
    const double inches = printer.paperRect(QPrinter::Inch).height();
    EXPECT_NEAR(double(narrow[0].count(lineLabel)), double(perPage) * (inches - 4) / inches, 2.0);
    EXPECT_EQ(words(narrow), words(lines));

    for (int i = 1; i <= 6000; ++i)
        paragraph << QStringLiteral("w%1").arg(i);
    const QStringList long6000 = printed(paragraph.join(' '), "paragraph.pdf");
    EXPECT_GT(long6000.size(), 1);
    EXPECT_EQ(words(long6000), words(paragraph));

    printer.setOutputFileName(dir.filePath("no such folder/pane.pdf"));
    EXPECT_FALSE(PrintRichText(pane, printer, 0, 0, 0, 0));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Unexpected Error in printing"}) << "the only message";

    // The command: the printer chosen by name: the full name, the last of names differing in case only.
    const QString longName = "Accounting department colour laser, second floor";
    const QStringList installed{"Office", "Lab", "OFFICE", longName};
    EXPECT_EQ(PrinterToMakeCurrent("office", installed), "OFFICE");
    EXPECT_EQ(PrinterToMakeCurrent(longName, installed), longName);
    EXPECT_EQ(PrinterToMakeCurrent(longName.left(32), installed), std::nullopt);

    pane.setPlainText("template text");
    printer.setOutputFileName(dir.filePath("pane.pdf"));
    printer.setCopyCount(3);
    printer.setPageOrientation(QPageLayout::Landscape);
    dialogs.printAnswers << [&](QPrinter& choice) {
        EXPECT_EQ(choice.copyCount(), 3) << "the dialog starts from the current printer";
        EXPECT_EQ(choice.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(choice.outputFileName(), dir.filePath("pane.pdf"));
        choice.setCopyCount(1);
        return false; // Cancel
    } << [&](QPrinter& choice) {
        choice.setCopyCount(2);
        choice.setPageOrientation(QPageLayout::Portrait);
        choice.setOutputFileName(dir.filePath("chosen.pdf"));
        return true;
    };
    EXPECT_EQ(PrintPane(nullptr, PrintedPane::Template, &pane, printer, {"Office"}), "");
    EXPECT_EQ(printer.copyCount(), 3);
    EXPECT_FALSE(QFile::exists(dir.filePath("pane.pdf")));
    EXPECT_EQ(PrintPane(nullptr, PrintedPane::Template, &pane, printer, {"Office"}), dir.filePath("chosen.pdf")) << "the file the pages went to";
    EXPECT_EQ(std::pair(printer.copyCount(), printer.pageLayout().orientation()), std::pair(2, QPageLayout::Portrait));
    EXPECT_EQ(words(pages("chosen.pdf")), "template text");

    // Without printers: declining the PDF file prints nothing, accepting writes it.
    dialogs.confirmAnswers << false << true;
    dialogs.saveFileAnswers << dir.filePath("saved");
    EXPECT_EQ(PrintPane(nullptr, PrintedPane::Template, &pane, printer, {}), "");
    EXPECT_TRUE(dialogs.saveCaptions.isEmpty());
    EXPECT_EQ(PrintPane(nullptr, PrintedPane::Template, &pane, printer, {}), dir.filePath("saved.pdf"));
    EXPECT_EQ(words(pages("saved.pdf")), "template text");
    EXPECT_EQ(dialogs.printDialogsShown, 2);
    dialogs.confirmAnswers << false;
    EXPECT_EQ(PrintPane(nullptr, PrintedPane::Result, &pane, printer, {}), "");
    ASSERT_EQ(dialogs.confirmations.size(), 3);
    EXPECT_TRUE(dialogs.confirmations[0].contains("the template") && dialogs.confirmations[2].contains("the result"));
}

TEST_F(Print, LinesOfEveryHeightAreEachPrintedOnceWholeOnOnePage)
{
    // Sizes that share no rhythm with the page, a wrapped paragraph and lines taller than
    // several of the others together, so breaks fall inside lines everywhere.
    const int sizes[] = {9, 31, 14, 11, 47, 8, 22, 17, 12, 38};
    QTextCursor cursor(&pane);
    QStringList labels;
    for (int i = 0; i < 240; ++i) {
        if (i > 0)
            cursor.insertBlock();
        QTextCharFormat format;
        format.setFontPointSize(sizes[i % std::size(sizes)]);
        labels << QStringLiteral("Line%1x").arg(i, 3, 10, QChar('0'));
        QString text = labels.last();
        if (i % 37 == 5) // wrapped over several lines
            for (int w = 0; w < 40; ++w)
                text += QStringLiteral(" wrap%1x%2").arg(i).arg(w);
        cursor.insertText(text, format);
    }
    printer.setOutputFileName(dir.filePath("heights.pdf"));
    ASSERT_TRUE(PrintRichText(pane, printer, 0, 720, 0, 720));
    const QStringList printed = pages("heights.pdf");
    ASSERT_GT(printed.size(), 5);
    const QString all = printed.join(' ').simplified() + ' ';
    QStringList wrongCount;
    for (const QString& label : labels)
        if (all.count(label) != 1)
            wrongCount << QStringLiteral("%1 %2 times").arg(label).arg(all.count(label));
    for (int i = 5; i < 240; i += 37)
        for (int w = 0; w < 40; ++w) {
            const QString word = QStringLiteral("wrap%1x%2 ").arg(i).arg(w);
            if (all.count(word) != 1)
                wrongCount << QStringLiteral("%1 %2 times").arg(word).arg(all.count(word));
        }
    EXPECT_EQ(wrongCount.join(", ").toStdString(), "");

    // A line taller than the page has a page of its own; no page ever shows a line twice.
    const std::vector<Stretch> lines{{0, 10}, {10, 30}, {30, 130}, {130, 135}, {140, 150}};
    const std::vector<PrintedPage> sheets = PagesOfLines(lines, 40);
    ASSERT_EQ(sheets.size(), 3);
    auto shown = [&](std::size_t page) {
        const PrintedPage& sheet = sheets[page];
        return std::tuple(sheet.firstLine, sheet.endLine, sheet.shown.top, sheet.shown.bottom);
    };
    EXPECT_EQ(shown(0), std::tuple(0u, 2u, 0.0, 30.0));
    EXPECT_EQ(shown(1), std::tuple(2u, 3u, 30.0, 70.0)) << "cut at the page's foot";
    EXPECT_EQ(shown(2), std::tuple(3u, 5u, 130.0, 150.0));
}
