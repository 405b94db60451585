#include "Expansion.h"
#include "PaneColouring.h"
#include "PaneLooks.h"
#include "ResultView.h"
#include "WorkspaceTestSupport.h"

#include <QDir>
#include <QFile>

namespace {

TEST_F(WorkspaceTest, TheShippedSamplesOpenColouredAndRunAsStored)
{
    const QDir shipped(QStringLiteral(VELLUMATIC_SHIPPED_DATA));
    for (const QString& name : shipped.entryList(QDir::Files)) {
        QFile::remove(app.dataPath(name));
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), app.dataPath(name)));
    }
    WorkspaceWindow doc(app.dataPath());
    doc.resize(1000, 700);
    doc.show();
    int expanded = 0;
    QTreeWidgetItemIterator it(doc.templateTree());
    for (++it; *it; ++it) {
        const std::string name = (*it)->text(0).toStdString();
        doc.templateTree()->setCurrentItem(*it);
        QTextEdit& source = *doc.templatePane();
        ASSERT_FALSE(source.toPlainText().isEmpty()) << name;
        const QString stored = ColourMap(*source.document());
        RecolourTemplate(*source.document());
        EXPECT_EQ(ColourMap(*source.document()), stored) << name;
        const ExpansionResult run = GenerateResult(source.toPlainText(), false, [](const QString&) { return std::nullopt; });
        ASSERT_NE(run.outcome, ExpansionResult::Outcome::ParseFailed) << name;
        if (run.outcome == ExpansionResult::Outcome::Expanded) {
            ++expanded;
            doc.selectBodyTab(1);
            EXPECT_TRUE(PaintedText(*doc.resultPane()).contains("<$")) << name;
        }
    }
    EXPECT_GE(expanded, 6);
    EXPECT_EQ(children(doc.valueTree(), "key2").size(), 4);
    EXPECT_EQ(doc.valueTree()->node("key2")->text(0), "Customers");
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
