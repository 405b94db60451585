#include "PaneColouring.h"
#include "ResultView.h"
#include "ShownColours.h"
#include "WorkspaceTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTabBar>

namespace {

// Breeze Dark's colours for views and windows.
QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xfc, 0xfc, 0xfc));
    dark.setColor(QPalette::Window, QColor(0x31, 0x36, 0x3b));
    dark.setColor(QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
    return dark;
}

// How much the characters [from, to) of a one-line stretch stand out as painted: the pixel
// of the area they cover that differs most from the area's most common colour, the background.
template <typename Pane>
double PaintedContrast(Pane& pane, int from, int to)
{
    const QImage image = pane.viewport()->grab().toImage();
    QTextCursor cursor(pane.document());
    cursor.setPosition(from);
    const QRect start = pane.cursorRect(cursor);
    cursor.setPosition(to);
    const QRect area = QRect(QPoint(start.left() + 2, start.top()), QPoint(pane.cursorRect(cursor).left() - 1, start.bottom()))
                           .intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    double most = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        most = std::max(most, ContrastRatio(QColor(it.key()), QColor(background)));
    return most;
}

class PanePalette : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1000, 700);
        doc->show();
    }

    // Contrast of plain text, a token and a marker in the template pane and of plain text and
    // a marker in the result pane, as "plain token marker | plain marker", each rounded down
    // to one decimal: "ok" where it reaches 4.5 for plain text and 3 for coloured spans.
    QString contrasts()
    {
        QTextEdit& source = *doc->templatePane();
        source.setFont(QFont("DejaVu Sans Mono", 24));
        source.document()->setDefaultFont(source.font());
        source.setPlainText("Plain words [(   $Mark!|1|2)]\n");
        RecolourTemplate(*source.document());
        source.moveCursor(QTextCursor::End); // the caret on a line of its own
        doc->selectBodyTab(0);
        const double plain = PaintedContrast(source, 0, 11);
        const double token = PaintedContrast(source, 12, 14);
        const double marker = PaintedContrast(source, 17, 23);

        ResultView& result = *doc->resultPane();
        result.setFont(source.font());
        result.document()->setDefaultFont(source.font());
        result.showResult("Plain words $Mark! the end\n");
        doc->selectBodyTab(1);
        const double resultPlain = PaintedContrast(result, 0, 11);
        const double resultMarker = PaintedContrast(result, 12, 18);
        auto judged = [](double contrast, double bar) {
            return contrast >= bar ? QStringLiteral("ok") : QString::number(contrast, 'f', 1);
        };
        return QStringList{judged(plain, 4.5), judged(token, 3), judged(marker, 3), "|", judged(resultPlain, 4.5),
                           judged(resultMarker, 3)}
            .join(' ');
    }

    std::unique_ptr<WorkspaceWindow> doc;
};

} // namespace

TEST(ShownColours, TokensAndMarkersStandOutOnEveryBaseAndShowAsStoredOnWhite)
{
    QList<QColor> bases{QColor(0x23, 0x26, 0x29), QColor(0x1e, 0x1e, 0x2e), QColor(0x00, 0x2b, 0x36),
                        QColor(0xfd, 0xf6, 0xe3), QColor(0, 0, 128), QColor(255, 255, 0), QColor(255, 0, 0),
                        QColor(0, 0, 255)};
    for (int grey = 0; grey < 256; ++grey)
        bases << QColor(grey, grey, grey);
    QRandomGenerator random(20);
    for (int i = 0; i < 500; ++i)
        bases << QColor::fromRgb(random.generate() | 0xFF000000);
    for (const QColor& base : bases)
        for (const QColor& stored : {kTokenColour, kFieldColour, QColor(0, 128, 0), QColor(0x33, 0x33, 0x33)}) {
            const double contrast = ContrastRatio(ReadableOn(stored, base), base);
            ASSERT_GE(contrast, 3.0) << base.name().toStdString() << " " << stored.name().toStdString();
        }
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    for (const QColor& stored : {kPlainColour, kTokenColour, kFieldColour})
        EXPECT_EQ(ShownColour(stored, light), stored) << "today's colours on today's white panes";
    const QPalette dark = DarkPalette();
    EXPECT_EQ(ShownColour(kPlainColour, dark), QColor(0xfc, 0xfc, 0xfc));
    EXPECT_GE(ContrastRatio(ShownColour(kTokenColour, dark), dark.color(QPalette::Base)), 4.5);
}

TEST_F(PanePalette, BothPanesReadUnderALightOrADarkPaletteAndFollowAChangeWhileShown)
{
    EXPECT_EQ(contrasts(), "ok ok ok | ok ok") << "light";
    doc->setPalette(DarkPalette());
    EXPECT_EQ(contrasts(), "ok ok ok | ok ok") << "dark";
    // Changed while the panes show their text, without loading anything again.
    doc->setPalette(QPalette());
    EXPECT_GE(PaintedContrast(*doc->resultPane(), 0, 11), 4.5);
    doc->selectBodyTab(0);
    doc->setPalette(DarkPalette());
    EXPECT_GE(PaintedContrast(*doc->templatePane(), 0, 11), 4.5);
    EXPECT_GE(PaintedContrast(*doc->templatePane(), 12, 14), 3.0);
}

TEST_F(PanePalette, AStoredBodyIsShownUnderADarkPaletteAndWrittenBackByteForByte)
{
    doc.reset();
    const QDir shipped(QStringLiteral(VELLUMATIC_SHIPPED_DATA));
    for (const QString& name : {QStringLiteral("Tempalates.app"), QStringLiteral("TMP_key5")}) {
        QFile::remove(app.dataPath(name));
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), app.dataPath(name)));
    }
    const QByteArray stored = app.readDataFile("TMP_key5");
    // The desktop's palette from the start, as a dark session hands it to the program.
    const QPalette before = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
    doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    for (const QTreeWidget* tree : {static_cast<QTreeWidget*>(doc->templateTree()), static_cast<QTreeWidget*>(doc->valueTree())})
        EXPECT_EQ(tree->palette().color(QPalette::Base), DarkPalette().color(QPalette::Base))
            << "the trees follow the desktop, not a white of their own";
    doc->resize(1000, 700);
    doc->show();
    doc->templateTree()->selectNode("key5");
    ASSERT_TRUE(doc->templatePane()->toPlainText().startsWith("UPDATE $Table!"));
    doc->selectBodyTab(0);
    EXPECT_GE(PaintedContrast(*doc->templatePane(), 0, 6), 4.5);
    EXPECT_GE(PaintedContrast(*doc->templatePane(), 7, 14), 3.0);
    doc->selectBodyTab(1);
    EXPECT_GE(PaintedContrast(*doc->resultPane(), 7, 14), 3.0);
    // An edit taken back leaves nothing to store; the colours shown are not the document's.
    doc->selectBodyTab(0);
    doc->templatePane()->moveCursor(QTextCursor::End);
    QTest::keyClicks(doc->templatePane(), "x");
    QTest::keyClick(doc->templatePane(), Qt::Key_Backspace);
    EXPECT_TRUE(doc->saveTemplate());
    doc.reset();
    EXPECT_EQ(app.readDataFile("TMP_key5"), stored);
}
