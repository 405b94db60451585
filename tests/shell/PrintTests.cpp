#include "PrintCommand.h"
#include "ScriptedDialogs.h"
#include "modPrintTools.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
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

    void SetUp() override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf());
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        pane.setDefaultFont(QFont("DejaVu Sans", 11));
    }

    QString pdf() const { return dir.filePath("pane.pdf"); }

    // The text of each printed page, as poppler reads it back.
    static QStringList pages(const QString& file)
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-enc", "UTF-8", file, "-"});
        EXPECT_TRUE(pdftotext.waitForFinished(30000));
        EXPECT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
        QStringList text = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
        text.removeLast(); // pdftotext ends every page, the last one too, with a form feed
        return text;
    }

    // The text with every run of white space made one space, so pages compare by words.
    static std::string words(const QString& text)
    {
        return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).join(' ').toStdString();
    }

    static QString numberedLines(int count, const QString& filler)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("L%1 %2").arg(i, 4, 10, QChar('0')).arg(filler);
        return lines.join('\n');
    }
};

} // namespace

TEST_F(Print, AnEmptyPanePrintsOnePage)
{
    ScriptedDialogs dialogs;
    PrintRichText(pane, printer, 0, 0, 0, 0);
    EXPECT_EQ(pages(pdf()).size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Print, ALongTemplateFillsEveryPageWithTheNextLines)
{
    const int lineCount = 400;
    pane.setPlainText(numberedLines(lineCount, "[($Field!|1|n)(,|1|n-1)]"));
    PrintRichText(pane, printer, 0, 0, 0, 0);

    const QStringList printed = pages(pdf());
    ASSERT_GT(printed.size(), 1);
    const qsizetype perPage = printed[0].count(QRegularExpression("L\\d{4}"));
    // An independent estimate: page height over the font's line spacing at printer resolution.
    const double estimate = printer.pageRect(QPrinter::DevicePixel).height() /
                            QFontMetricsF(pane.defaultFont(), &printer).lineSpacing();
    EXPECT_NEAR(double(perPage), estimate, estimate * 0.1);
    EXPECT_EQ(printed.size(), std::ceil(double(lineCount) / double(perPage)));
    for (qsizetype page = 0; page + 1 < printed.size(); ++page)
        EXPECT_EQ(printed[page].count(QRegularExpression("L\\d{4}")), perPage) << "page " << page + 1;

    EXPECT_EQ(words(printed.join('\n')), words(pane.toPlainText())) << "every line once, in order";
}

TEST_F(Print, AParagraphLongerThanAPageWrapsOnWithNothingLostOrRepeated)
{
    QStringList text;
    for (int i = 1; i <= 6000; ++i)
        text << QStringLiteral("w%1").arg(i);
    pane.setPlainText(text.join(' '));
    PrintRichText(pane, printer, 0, 0, 0, 0);

    const QStringList printed = pages(pdf());
    EXPECT_GT(printed.size(), 1);
    for (const QString& page : printed)
        EXPECT_FALSE(words(page).empty()) << "no blank pages";
    EXPECT_EQ(words(printed.join(' ')), words(text.join(' ')));
}

TEST_F(Print, MarginsShrinkThePage)
{
    pane.setPlainText(numberedLines(200, "text"));
    PrintRichText(pane, printer, 0, 0, 0, 0);
    const QStringList full = pages(pdf());

    printer.setOutputFileName(dir.filePath("margins.pdf"));
    PrintRichText(pane, printer, 1440, 2880, 1440, 2880); // two inches off top and bottom
    const QStringList narrow = pages(dir.filePath("margins.pdf"));

    const double pageInches = printer.paperRect(QPrinter::Inch).height();
    const qsizetype fullLines = full[0].count(QRegularExpression("L\\d{4}"));
    const qsizetype narrowLines = narrow[0].count(QRegularExpression("L\\d{4}"));
    EXPECT_NEAR(double(narrowLines), fullLines * (pageInches - 4) / pageInches, 2.0);
    EXPECT_EQ(words(narrow.join('\n')), words(pane.toPlainText()));
}

TEST_F(Print, AFailureIsReportedAsAPrintingError)
{
    ScriptedDialogs dialogs;
    printer.setOutputFileName(dir.filePath("no such folder/pane.pdf"));
    pane.setPlainText("text");
    PrintRichText(pane, printer, 0, 0, 0, 0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Unexpected Error in printing"});
}

TEST(PrinterChoice, MatchesTheFullNameAndTakesTheLastOfNamesDifferingInCaseOnly)
{
    const QString longName = "Accounting department colour laser, second floor";
    const QStringList installed{"Office", "Lab", "OFFICE", longName};
    EXPECT_EQ(PrinterToMakeCurrent("office", installed), "OFFICE");
    EXPECT_EQ(PrinterToMakeCurrent("Lab", installed), "Lab");
    EXPECT_EQ(PrinterToMakeCurrent(longName, installed), longName);
    EXPECT_EQ(PrinterToMakeCurrent(longName.left(32), installed), std::nullopt);
    EXPECT_EQ(PrinterToMakeCurrent("Gone", installed), std::nullopt);
}

TEST_F(Print, TheDialogIsSeededFromTheCurrentPrinterAndOkKeepsTheChoice)
{
    ScriptedDialogs dialogs;
    printer.setCopyCount(3);
    printer.setPageOrientation(QPageLayout::Landscape);
    const QStringList installed{"Office"};

    dialogs.printAnswers << [&](QPrinter& choice) {
        EXPECT_EQ(choice.copyCount(), 3);
        EXPECT_EQ(choice.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(choice.outputFileName(), pdf());
        choice.setCopyCount(1);
        choice.setPageOrientation(QPageLayout::Portrait);
        return false; // Cancel
    };
    EXPECT_FALSE(ShowPrinterDialog(nullptr, printer, installed));
    EXPECT_EQ(printer.copyCount(), 3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    dialogs.printAnswers << [&](QPrinter& choice) {
        choice.setCopyCount(2);
        choice.setPageOrientation(QPageLayout::Portrait);
        choice.setOutputFileName(dir.filePath("chosen.pdf"));
        return true;
    };
    EXPECT_TRUE(ShowPrinterDialog(nullptr, printer, installed));
    EXPECT_EQ(printer.copyCount(), 2);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.outputFileName(), dir.filePath("chosen.pdf"));
}

TEST_F(Print, ThePrintCommandPrintsOnlyWhatTheUserConfirmed)
{
    ScriptedDialogs dialogs;
    pane.setPlainText("template text");
    const QStringList installed{"Office"};

    PrintTemplate(nullptr, &pane, printer, installed); // the dialog is cancelled
    EXPECT_EQ(dialogs.printDialogsShown, 1);
    EXPECT_FALSE(QFile::exists(pdf()));

    dialogs.printAnswers << [](QPrinter&) { return true; };
    PrintTemplate(nullptr, &pane, printer, installed);
    ASSERT_TRUE(QFile::exists(pdf()));
    EXPECT_EQ(words(pages(pdf()).join(' ')), "template text");

    PrintTemplate(nullptr, nullptr, printer, installed);
    EXPECT_EQ(dialogs.printDialogsShown, 2);
}

TEST_F(Print, WithoutPrintersThePagesCanGoToAPdfFile)
{
    ScriptedDialogs dialogs;
    pane.setPlainText("saved instead");

    dialogs.confirmAnswers << false;
    PrintTemplate(nullptr, &pane, printer, {});
    EXPECT_EQ(dialogs.confirmations.size(), 1);
    EXPECT_TRUE(dialogs.saveCaptions.isEmpty());

    dialogs.confirmAnswers << true;
    dialogs.saveFileAnswers << dir.filePath("template");
    PrintTemplate(nullptr, &pane, printer, {});
    EXPECT_EQ(dialogs.printDialogsShown, 0);
    EXPECT_EQ(words(pages(dir.filePath("template.pdf")).join(' ')), "saved instead");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
