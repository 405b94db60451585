#include "CatalogueKeys.h"
#include "Expansion.h"
#include "FillRows.h"
#include "PaneColouring.h"
#include "PaneLooks.h"
#include "ResultView.h"
#include "TemplatePaneText.h"
#include "WorkspaceTestSupport.h"

#include <QDirIterator>
#include <QProcess>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun RunTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/vellumatic-expand", arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// Every file of a folder with its bytes, to show nothing was written, made or removed.
QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(it.filePath(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)"));
    }
    return files;
}

void CopySamples(const TempAppFolder& to)
{
    for (const QFileInfo& file : QDir(VELLUMATIC_SHIPPED_DATA).entryInfoList(QDir::Files))
        ASSERT_TRUE((!QFile::exists(to.dataPath(file.fileName())) || QFile::remove(to.dataPath(file.fileName()))) &&
                    QFile::copy(file.absoluteFilePath(), to.dataPath(file.fileName())));
}

} // namespace

TEST_F(WorkspaceTest, TheToolExpandsAndSavesEverySampleTemplateAsTheWindowsRunDoes)
{
    CopySamples(app);
    TempAppFolder toolCopy;
    CopySamples(toolCopy);
    const QMap<QString, QByteArray> untouched = Snapshot(toolCopy.dataPath());

    const ToolRun listing = RunTool({"--data", toolCopy.dataPath(), "--list"});
    ASSERT_EQ(listing.exitCode, 0) << listing.err.toStdString();
    const QStringList paths = QString::fromUtf8(listing.out).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(paths.mid(0, 4), (QStringList{"Comma-separated field list", "SQL", "SQL/INSERT over n columns",
                                            "SQL/UPDATE over n columns"}));

    WorkspaceWindow doc(app.dataPath());
    doc.resize(1000, 700);
    doc.show();
    QStringList keys;
    for (QTreeWidgetItemIterator it(doc.templateTree()); *it; ++it)
        if (!IsRootKey(CatalogueTree::keyOf(*it)))
            keys << CatalogueTree::keyOf(*it);
    ASSERT_EQ(keys.size(), paths.size());
    int coloured = 0;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        doc.templateTree()->selectNode(keys[i]);
        QTextDocument& source = *doc.templatePane()->document();
        const QString text = TemplatePaneText(source);
        ASSERT_FALSE(text.isEmpty()) << paths[i].toStdString();
        const QString stored = ColourMap(source);
        RecolourTemplate(source);
        EXPECT_EQ(ColourMap(source), stored) << paths[i].toStdString() << ": stored as the program colours it";
        // Every bound name left empty, as the tool leaves the names it is not given.
        dialogs.boundAnswerScript = {QStringList(BoundNames(text).size(), QString())};
        doc.runButton()->click();
        const ToolRun tool = RunTool({"--data", toolCopy.dataPath(), "--template", paths[i].toUpper(), "--strict"});
        EXPECT_EQ(tool.exitCode, 0) << paths[i].toStdString() << tool.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(tool.out), doc.resultPane()->resultDocument()->text()) << paths[i].toStdString();
        coloured += PaintedText(*doc.resultPane()).contains("<$");
    }
    EXPECT_GE(coloured, 6) << "results show their markers";

    // Filled from a table's rows, the samples made for it come out as the window's fills leave them.
    const QByteArray columns = "name,type\r\ncustomer id,int4\r\n\"ship\r\nto\",character varying(50)\r\n"
                               "placed at,timestamp with time zone\r\n";
    TempAppFolder rowsFolder;
    rowsFolder.writeDataFile("columns.csv", columns);
    const QString rows = rowsFolder.dataPath("columns.csv");
    const QStringList fills{"--rows", rows, "--fill", "Class=order line", "--fill", "Table=order line"};
    QStringList fromTable;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (!paths[i].startsWith("From a table/"))
            continue;
        fromTable << paths[i];
        doc.templateTree()->selectNode(keys[i]);
        const QString text = TemplatePaneText(*doc.templatePane()->document());
        dialogs.boundAnswerScript = {QStringList{"3"}};
        doc.runButton()->click();
        ResultDocument& result = *doc.resultPane()->resultDocument();
        const QStringList names = RowFieldNames(text, result.text());
        const RowFill fill = FillRows(result.text(), names, MatchColumns(names, {"name", "type"}),
                                      std::get<TableRows>(ReadTable(QString::fromUtf8(columns), TableFormat::CommaSeparated)));
        result.fillFields(fill.fills + QList<std::pair<QString, QString>>{{"$Class!", "order line"}, {"$Table!", "order line"}});
        const ToolRun tool = RunTool(QStringList{"--data", toolCopy.dataPath(), "--template", paths[i]} + fills);
        EXPECT_EQ(tool.exitCode, 0) << tool.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(tool.out), result.text()) << paths[i].toStdString();
        EXPECT_FALSE(result.text().contains(u'$')) << result.text().toStdString();
    }
    EXPECT_EQ(fromTable.size(), 5);
    EXPECT_TRUE(failures.texts.isEmpty() && dialogs.messages.isEmpty()) << failures.texts.join('\n').toStdString();
    EXPECT_EQ(Snapshot(toolCopy.dataPath()), untouched) << "without --save nothing changes";

    // The Data folder's own type map serves the tool; one it cannot use is named, and the shipped one serves.
    for (const auto& [map, type, note] : {std::tuple{"pattern\tcsharp\nint*\tInt32\n", "Int32", ""},
                                          {"pattern\tcsharp\nint(\tx\n", "int", "TypeMaps.tsv"}}) {
        toolCopy.writeDataFile("TypeMaps.tsv", map);
        const ToolRun typed = RunTool({"--data", toolCopy.dataPath(), "--template", fromTable.first(), "--rows", rows});
        EXPECT_TRUE(typed.out.contains(QByteArray(type) + " CustomerId")) << typed.out.toStdString();
        EXPECT_TRUE(typed.err.contains(note)) << typed.err.toStdString();
    }
    QFile::remove(toolCopy.dataPath("TypeMaps.tsv"));

    // Saved, a filled result is what the window keeps of its fills.
    doc.close();
    for (const QString& path : paths)
        EXPECT_EQ(RunTool(QStringList{"--data", toolCopy.dataPath(), "--template", path, "--save", "--strict"} +
                          (fromTable.contains(path) ? fills : QStringList()))
                      .exitCode,
                  0);
    for (const QString& key : keys)
        EXPECT_EQ(toolCopy.readDataFile("TMP_" + key), app.readDataFile("TMP_" + key)) << key.toStdString();
}

TEST_F(WorkspaceTest, TheToolNamesPathsAsTheTreeShowsThemAndRefusesOnesNamingNoneOrTwo)
{
    // A folder as the Windows edition leaves it: rich-edit RTF with its trailing NUL, CR LF.
    app.writeDataFile("Tempalates.app", CatalogueFile({"2|Tables|-1|0|3", "3|a/b\\c|2|0|3", "4|Same|-1|0|3",
                                                       "5|same|-1|0|3"}));
    const QByteArray header = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n";
    const QByteArray source = header + "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
                                       "\\viewkind4\\uc1\\pard\\cf1\\f0\\fs20 -- \\'e9\r\n\\par [($Col!|1|n)(,|1|n-1)]\r\n\\par }\r\n";
    const QByteArray legacy = BodyFile(source + '\0' + "_$$$_001_$$$_" + header + "\\par }\r\n" + '\0');
    for (const char* body : {"TMP_key2", "TMP_key3", "TMP_key4", "TMP_key5"})
        app.writeDataFile(body, legacy);
    const QMap<QString, QByteArray> untouched = Snapshot(app.dataPath());

    EXPECT_EQ(RunTool({"--data", app.dataPath(), "--list"}).out, "Tables\nTables/a\\/b\\\\c\nSame\nsame\n");
    const ToolRun run = RunTool({"--data", app.dataPath(), "--template", "TABLES/A\\/B\\\\C", "--set", "n=2"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(run.out), QString::fromUtf8("-- \u00e9\n$Col0001!,\n$Col0002!\n"));

    const ToolRun two = RunTool({"--data", app.dataPath(), "--template", "SAME"});
    EXPECT_EQ(two.exitCode, 1);
    EXPECT_TRUE(two.err.contains("\"SAME\"") && two.err.contains("key4") && two.err.contains("key5")) << two.err.toStdString();
    const ToolRun none = RunTool({"--data", app.dataPath(), "--template", "Tables/a/b\\c", "--save"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("\"Tables/a/b\\c\"")) << none.err.toStdString();
    EXPECT_EQ(Snapshot(app.dataPath()), untouched) << "refused or not saved: the folder stays as it was";

    EXPECT_EQ(RunTool({"--data", app.dataPath(), "--template", "tables", "--save", "--set", "n=1"}).exitCode, 0);
    const QByteArray saved = app.readDataFile("TMP_key2");
    EXPECT_TRUE(saved.startsWith(BodyFile(source + '\0' + "_$$$_001_$$$_").chopped(3)))
        << "the template pane keeps its bytes";
    EXPECT_TRUE(saved.contains("Col0001!") && !saved.contains("Col0002!"));

    TempAppFolder empty;
    empty.writeDataFile("notes.txt", "x");
    const ToolRun refused = RunTool({"--data", empty.dataPath(), "--list"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("holds no catalogue")) << refused.err.toStdString();
}
