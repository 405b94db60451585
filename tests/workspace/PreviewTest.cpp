#include "ResultView.h"
#include "WorkspaceSettings.h"
#include "TemplatePreview.h"
#include "WorkspaceTestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <memory>

namespace {

class Preview : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Rows|-1|0|3", "3|Broken|-1|0|3"}));
        app.writeDataFile("TMP_key2", BodyFile("[(x$f!|1|n)]_$$$_001_$$$_earlier result"));
        app.writeDataFile("TMP_key3", BodyFile("a\n[(b|1_$$$_001_$$$_"));
        UserSettings().remove(QStringLiteral("Settings/PreviewShown"));
        UserSettings().remove(QStringLiteral("BoundAnswers"));
    }
    std::unique_ptr<WorkspaceWindow> open(int width = 1200)
    {
        auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(width, 700);
        doc->show();
        doc->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(doc.get()));
        return doc;
    }
    static void openTemplate(WorkspaceWindow& doc, const QString& key)
    {
        doc.openTemplate(doc.templateTree()->node(key));
        doc.templateTree()->setCurrentItem(doc.templateTree()->node(key));
    }
    // Waits for the preview to show `expected`; false when it never does.
    static bool shows(WorkspaceWindow& doc, const QString& expected)
    {
        const bool shown = QTest::qWaitFor([&] { return doc.preview()->pane()->toPlainText() == expected; }, 3000);
        EXPECT_EQ(doc.preview()->pane()->toPlainText().toStdString(), expected.toStdString());
        return shown;
    }
    // Types the text as keys, a line break as Return.
    static void type(QWidget* pane, const QString& text)
    {
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(pane, Qt::Key_Return);
            QTest::keyClicks(pane, lines[i]);
        }
    }
    static QString underlined(const QTextEdit* pane)
    {
        QStringList marks;
        for (const QTextEdit::ExtraSelection& s : pane->extraSelections())
            if (s.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                marks << QString::number(s.cursor.selectionStart());
        return marks.join(u',');
    }
};

TEST_F(Preview, FollowsTypingCompactStyleAndItsBoundsWithoutTouchingTheTemplateOrTheResult)
{
    auto doc = open();
    openTemplate(*doc, QStringLiteral("key2"));
    QTextEdit* pane = doc->templatePane();
    // Never answered here: three steps, not stored.
    ASSERT_TRUE(shows(*doc, "x$f0001!\nx$f0002!\nx$f0003!\n"));
    auto* n = control<QSpinBox>(*doc, "previewBound0");
    EXPECT_EQ(n->value(), 3);

    pane->setFocus(Qt::MouseFocusReason);
    pane->moveCursor(QTextCursor::End);
    // Typed faster than the preview: each step ends with the final text only.
    const struct { const char* keys; const char* shown; const char* underlined; } steps[] = {
        {"\n[(y|1|m)]", "x$f0001!\nx$f0002!\nx$f0003!\n\ny\ny\ny\n", ""},
        {"\n[(z|", "line 3, column 2: group opened at line 3, column 2 has only one \"|\": it needs text|lower|upper", "24"},
        {"1|2)]", "x$f0001!\nx$f0002!\nx$f0003!\n\ny\ny\ny\n\nz\nz\n", ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        const int caret = pane->textCursor().position() + int(QString::fromUtf8(step.keys).size());
        type(pane, QString::fromUtf8(step.keys));
        ASSERT_TRUE(shows(*doc, QString::fromUtf8(step.shown)));
        EXPECT_EQ(pane->textCursor().position(), caret) << "the preview never moves the caret";
        EXPECT_EQ(underlined(pane), step.underlined);
    }
    EXPECT_EQ(control<QSpinBox>(*doc, "previewBound1")->value(), 3);

    n->setValue(1);
    EXPECT_TRUE(shows(*doc, "x$f0001!\n\ny\ny\ny\n\nz\nz\n"));
    doc->compactStyle()->click();
    EXPECT_TRUE(shows(*doc, "x$f0001!\nyyy\nzz"));

    // Run starts from the bar's numbers; the preview never wrote the result pane before.
    EXPECT_EQ(doc->resultPane()->toPlainText(), "earlier result");
    dialogs.boundAnswerScript = {QStringList{"2", "1"}};
    doc->runButton()->click();
    ASSERT_EQ(dialogs.boundRequests.size(), 1);
    EXPECT_EQ(dialogs.boundRequests[0].lastAnswers, (QStringList{"1", "3"}));
}

TEST_F(Preview, AParseErrorIsUnderlinedInPlaceAndTheBodyStaysByteForByte)
{
    const QByteArray body = app.readDataFile("TMP_key3");
    {
        auto doc = open();
        openTemplate(*doc, QStringLiteral("key3"));
        ASSERT_TRUE(shows(*doc, "line 2, column 2: group opened at line 2, column 2 has only one \"|\": it needs text|lower|upper"));
        QTextEdit* pane = doc->templatePane();
        EXPECT_EQ(underlined(pane), "3");
        EXPECT_EQ(pane->toPlainText(), "a\n[(b|1");
        EXPECT_EQ(doc->resultPane()->toPlainText(), "");
        // Hidden, nothing is marked; shown again, the mark is back.
        doc->preview()->setShown(false);
        EXPECT_EQ(underlined(pane), "");
        doc->preview()->setShown(true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return underlined(pane) == "3"; }, 3000));
        pane->setFocus(Qt::MouseFocusReason);
        doc->templateTree()->setFocus(Qt::MouseFocusReason);
        EXPECT_FALSE(doc->templateModified());
    }
    EXPECT_EQ(app.readDataFile("TMP_key3"), body);
}

TEST_F(Preview, StartsOnInAWideWindowAndRemembersTheUsersChoiceAndTheSplit)
{
    const struct { int width; bool shown; } starts[] = {{900, false}, {1000, false}, {1100, true}};
    for (const auto& start : starts) {
        UserSettings().remove(QStringLiteral("Settings/PreviewShown"));
        EXPECT_EQ(open(start.width)->preview()->isShown(), start.shown) << start.width;
    }
    QList<int> sizes;
    {
        auto doc = open(900);
        doc->preview()->setShown(true);
        QCoreApplication::processEvents(); // laid out
        QSplitter* split = doc->preview()->splitter();
        // Dragged by its handle, as the user does.
        const QList<int> before = split->sizes();
        EXPECT_NEAR(before.value(0), before.value(1), 10) << "half and half at first";
        QWidget* handle = split->handle(1);
        const QPoint middle = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, middle);
        QTest::mouseMove(handle, middle - QPoint(split->width() / 6, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, middle - QPoint(split->width() / 6, 0));
        sizes = split->sizes();
        EXPECT_LT(sizes.value(0), before.value(0) - 50);
    }
    auto doc = open(900);
    EXPECT_TRUE(doc->preview()->isShown());
    // The split comes back, give or take the rounding of a window laid out afresh.
    EXPECT_NEAR(doc->preview()->splitter()->sizes().value(0), sizes.value(0), 3);
}

} // namespace
