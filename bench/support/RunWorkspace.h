#pragma once

// A shown workspace window with one template selected, ready to run, for the figures that
// go through the real window.
#include "CatalogueFiles.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "WorkspaceWindow.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTextEdit>
#include <memory>

// One numbered marker a line: "$Field0001!," and so on.
inline const QString kFieldList = QStringLiteral("[($Field!|1|n)(,|1|n-1)]");
// Two markers a line: "m_$Field0001! = other.$Field0001!;".
inline const QString kFieldCopies = QStringLiteral("[(    m_$Field! = other.$Field!; // copy|1|n)]");

struct RunWorkspace
{
    explicit RunWorkspace(const QByteArray& values = CatalogueFile({"2|CustomerId|-1|0|3"}))
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Columns|-1|0|3"}));
        app.writeDataFile("TMP_key2", "\"_$$$_001_$$$_\"\r\n");
        app.writeDataFile("Values.app", values);
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->resize(1280, 900);
        doc->show();
        doc->templateTree()->selectNode("key2");
        QCoreApplication::processEvents();
    }
    // Typing the template again marks it edited, so every run also saves the body.
    void run(int n, const QString& templateText = kFieldList)
    {
        doc->templatePane()->setPlainText(templateText);
        dialogs.boundAnswerScript = {QStringList{QString::number(n)}};
        doc->runButton()->click();
        // The pane painted: the window is usable again.
        QCoreApplication::processEvents();
    }

    TempAppFolder app;
    ScriptedDialogs dialogs;
    std::unique_ptr<WorkspaceWindow> doc;
};
