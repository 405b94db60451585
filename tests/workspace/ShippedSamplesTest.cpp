#include "CapturedFailures.h"
#include "Expansion.h"
#include "PaneColouring.h"
#include "PaneLooks.h"
#include "ResultView.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "WorkspaceWindow.h"

#include <QDir>
#include <QFile>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Every shipped template opens coloured as the program colours it, parses, and comes with
// a result whose field markers are red; the value catalogue holds a table with its columns.
TEST(ShippedSamples, OpenColouredAndRunAsStored)
{
    TempAppFolder app;
    const QDir shipped(QStringLiteral(VELLUMATIC_SHIPPED_DATA));
    for (const QString& name : shipped.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), app.dataPath(name)));
    ScriptedDialogs dialogs;
    CapturedFailures failures;
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

        const ExpansionResult run =
            GenerateResult(source.toPlainText(), false, [](const QString&) { return std::optional<QString>(); });
        ASSERT_NE(run.outcome, ExpansionResult::Outcome::ParseFailed) << name;
        if (run.outcome == ExpansionResult::Outcome::Expanded) {
            ++expanded;
            EXPECT_TRUE(doc.resultPane()->toPlainText().contains(u'$')) << name;
            doc.selectBodyTab(1);
            EXPECT_TRUE(PaintedText(*doc.resultPane()).contains(u'<')) << name;
        }
    }
    EXPECT_GE(expanded, 6);

    QTreeWidgetItem* customers = doc.valueTree()->node("key2");
    ASSERT_NE(customers, nullptr);
    EXPECT_EQ(customers->text(0), "Customers");
    EXPECT_EQ(customers->childCount(), 4);
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
