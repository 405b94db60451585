#include "FieldsList.h"
#include "FillRowsDialog.h"
#include "FillRowsRules.h"
#include "ImportTestSupport.h"
#include "RandomText.h"
#include "ResultView.h"
#include "WorkspaceTestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>

#include <functional>

namespace {

// Awkward values survive being shown in the table box: the box reads back what a source gave.
TEST(FillRowsRules, TablesShownAsTextReadBackAsTheyWere)
{
    const QStringList awkward = {"", " lead", "trail ", "a,b", "say \"hi\"", "tab\there", "two\nlines",
                                 "cr\rlf\r\n", "\"", "ß", "x"};
    std::mt19937 random(22);
    const auto below = [&random](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n - 1)(random); };
    for (int round = 0; round < 300; ++round) {
        const qsizetype columns = 1 + below(3);
        TableRows table;
        for (qsizetype c = 0; c < columns; ++c)
            table.columns << (round % 3 == 0 ? RandomText(random, awkward, 3) : QStringLiteral("c%1").arg(c));
        for (qsizetype r = below(4); r > 0; --r) {
            QStringList row;
            for (qsizetype c = 0; c < columns; ++c)
                row << RandomText(random, awkward, 3);
            table.rows << row;
        }
        const QString text = TableAsText(table);
        const auto read = ReadTable(text, GuessTableFormat(text));
        ASSERT_TRUE(std::holds_alternative<TableRows>(read)) << text.toStdString();
        EXPECT_EQ(std::get<TableRows>(read).columns, table.columns) << text.toStdString();
        EXPECT_EQ(std::get<TableRows>(read).rows, table.rows) << text.toStdString();
    }
    EXPECT_EQ(GuessTableFormat(u"\n\"a\tb\",c\nx\ty"), TableFormat::CommaSeparated);
    EXPECT_EQ(GuessTableFormat(u"a\tb"), TableFormat::TabSeparated);
    EXPECT_FALSE(LooksLikeTable(u"just a sentence, with a comma"));
    EXPECT_TRUE(LooksLikeTable(u"name,type\nid,int\n"));
}

// A template of repeated fields with mirrors: a class's properties.
const QString kProperties = "class $Class!\n[(  $Type:csharp! $Col:pascal!; // $Col!|1|n)]";

QString Properties(const QStringList& lines)
{
    QString text = "class $Class!\n";
    for (const QString& line : lines)
        text += "  " + line + "\n";
    return text;
}

class FillRows : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Class|-1|0|3"}));
        app.writeDataFile("TMP_key2", kNewBody);
        app.writeDataFile("Values.app", CatalogueFile({"2|Columns|-1|0|3", "3|customer_id|2|0|3", "4|name|2|0|3"}));
        QGuiApplication::clipboard()->clear();
        openWindow();
    }
    // `hints` (when given) listens before the window shows.
    void openWindow(std::unique_ptr<QSignalSpy>* hints = nullptr)
    {
        doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        if (hints)
            *hints = std::make_unique<QSignalSpy>(doc.get(), &WorkspaceWindow::statusHint);
        doc->resize(1000, 700);
        doc->show();
        doc->templateTree()->selectNode("key2");
    }
    void run(const QString& templateText, const QStringList& answers)
    {
        doc->templatePane()->setPlainText(templateText);
        dialogs.boundAnswerScript = {answers};
        doc->runButton()->click();
    }
    // Opens Fill Rows from the value tree's context menu; `work` does what the user does in
    // the dialog, then Fill is clicked.
    void fillRows(std::function<void(FillRowsDialog&)> work)
    {
        dialogs.onDialog = [work](QDialog& shown) {
            auto& dialog = dynamic_cast<FillRowsDialog&>(shown);
            work(dialog);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        };
        control<QAction>(*doc->valueTree(), "fillRowsAction")->trigger();
    }
    QString result() const { return doc->resultPane()->toPlainText(); }
    QStringList fields() const { return doc->fieldsList()->fields().toList(); }
    static void choose(FillRowsDialog& dialog, qsizetype field, const QString& column)
    {
        QComboBox* choice = dialog.columnChoice(field);
        choice->setCurrentIndex(choice->findText(column));
    }

    std::unique_ptr<WorkspaceWindow> doc;
};

TEST_F(FillRows, EverySourceFillsTheRepetitionsWithMirrorsAndTypesInOneUndoStep)
{
    SqliteFile database({"CREATE TABLE other (x TEXT)",
                         "CREATE TABLE customer (id INTEGER PRIMARY KEY, first_name VARCHAR(40) NOT NULL, "
                         "balance NUMERIC(10,2))"});
    QTemporaryDir folder;
    const QString csvFile = folder.filePath("columns.csv");
    {
        QFile file(csvFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("col,TYPE,note\r\nid,int,\"the key,\r\nnumbered\"\r\nfirst_name,text,x\r\nbalance,money,y\r\n");
    }
    const QStringList fromTable = {"int Id; // id", "string FirstName; // first_name", "decimal Balance; // balance"};
    const struct
    {
        const char* source;
        std::function<void(FillRowsDialog&)> work;
        QStringList filled;
    } sources[] = {
        {"pasted, columns by position", [](FillRowsDialog& d) { d.tableBox()->setPlainText("a\tb\nint\tid\ntext\tfirst_name\nmoney\tbalance\n"); },
         fromTable},
        {"a CSV file, columns by name", [&](FillRowsDialog& d) {
             dialogs.openFileAnswers = {csvFile};
             control<QPushButton>(d, "openFileButton")->click();
         }, fromTable},
        {"the clipboard", [](FillRowsDialog&) {}, fromTable},
        {"a dropped file", [&](FillRowsDialog& d) {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(csvFile)});
             QWidget* box = d.tableBox()->viewport();
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QCoreApplication::sendEvent(box, &enter);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QCoreApplication::sendEvent(box, &drop);
             EXPECT_FALSE(d.tableBox()->toPlainText().contains("columns.csv")) << "the file's text, not its name";
         }, fromTable},
        {"a database table", [&](FillRowsDialog& d) {
             dialogs.connectionAnswers = {database.connectionString()};
             control<QPushButton>(d, "databaseButton")->click();
             QComboBox* tables = d.databaseTables();
             ASSERT_TRUE(tables->isVisibleTo(&d));
             tables->setCurrentIndex(tables->findText("customer"));
             emit tables->activated(tables->currentIndex());
         }, {"int Id; // id", "string FirstName; // first_name", "decimal Balance; // balance"}},
        {"the value's children, matched by hand", [](FillRowsDialog& d) {
             control<QPushButton>(d, "valueChildrenButton")->click();
             choose(d, 0, "(none)");
             choose(d, 1, "name");
             EXPECT_EQ(d.note()->text(), "2 rows for 3 repetitions: repetition 3 keeps its fields.");
         }, {"$Type:csharp0001! CustomerId; // customer_id", "$Type:csharp0002! Name; // name",
             "$Type:csharp0003! $Col:pascal0003!; // $Col0003!"}},
    };
    for (const auto& [source, work, filled] : sources) {
        SCOPED_TRACE(source);
        run(kProperties, {"3"});
        const QString before = result();
        if (QString(source) == "the clipboard")
            QGuiApplication::clipboard()->setText("type,col\nint,id\ntext,first_name\nmoney,balance\n");
        doc->valueTree()->selectNode("key2");
        fillRows(work);
        EXPECT_EQ(result(), Properties(filled));
        EXPECT_TRUE(fields().contains("$Class!")) << "fields outside the repetitions are left alone";
        EXPECT_EQ(fields(), ListFields(result()).toList()) << "listed again";
        doc->resultPane()->undo();
        EXPECT_EQ(result(), before) << "one undo step";
        QGuiApplication::clipboard()->clear();
    }
}

TEST_F(FillRows, MoreRowsRunAgainOnAskingAndATemplateWithoutRepetitionsIsRefused)
{
    const QString rows = "col\na\nb\nc\nd\n";
    const auto paste = [&rows](FillRowsDialog& d) {
        d.tableBox()->setPlainText(rows);
        EXPECT_EQ(d.note()->text(), "4 rows for 2 repetitions: rows 3 to 4 are left over.");
    };
    const QString list = "[($Col!|1|n)(,|1|n-1)]";
    run(list, {"2"});
    dialogs.choiceAnswers = {1};
    fillRows(paste);
    EXPECT_EQ(result(), "a,\nb\n") << "the rows the result has room for";
    run(list, {"2"});
    dialogs.choiceAnswers = {0};
    fillRows(paste);
    ASSERT_EQ(dialogs.questions.size(), 2);
    EXPECT_TRUE(dialogs.questions.last().text.contains("\"n\" set to 4"));
    EXPECT_EQ(result(), "a,\nb,\nc,\nd\n") << "run again with n = 4, the header row not counted";
    run(list, {"2"});
    dialogs.choiceAnswers = {2};
    fillRows(paste);
    EXPECT_EQ(result(), "$Col0001!,\n$Col0002!\n") << "Cancel leaves the result";
    // Two bound names: no one number fits both, so the first rows fill without asking.
    run("[($Col!|1|n)(-|1|m)]", {"2", "1"});
    fillRows(paste);
    EXPECT_EQ(dialogs.questions.size(), 3);
    EXPECT_FALSE(result().contains("$Col")) << result().toStdString();
    // Nothing numbered: no dialog, the user is told.
    dialogs.dialogsShown.clear();
    run("$Class! $Col!", {});
    fillRows(paste);
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty());
    EXPECT_EQ(result(), "$Class! $Col!");
    EXPECT_TRUE(dialogs.messageTexts().last().contains("no repeated fields")) << dialogs.messageTexts().join("|").toStdString();
}

TEST_F(FillRows, TheDataFoldersTypeMapIsUsedAndItsFaultsAndUnmappedTypesAreNamed)
{
    app.writeDataFile("TypeMaps.tsv", "pattern\tkotlin\nint*\tInt\nvarchar*\tString\n");
    openWindow();
    QSignalSpy hints(doc.get(), &WorkspaceWindow::statusHint);
    run("[($Type:kotlin! $Type!|1|n)]", {"2"});
    EXPECT_EQ(fields(), (QStringList{"$Type0001!", "$Type0002!"})) << "a mirror in the folder's own language";
    fillRows([](FillRowsDialog& d) { d.tableBox()->setPlainText("type\nINT4\ngeography\n"); });
    EXPECT_EQ(result(), "Int INT4\ngeography geography\n");
    ASSERT_FALSE(hints.isEmpty());
    EXPECT_EQ(hints.last().first().toString(), "Types the type map does not know, written as given: geography");
    run("[($Type:kotlin!|1|n)]", {"1"});
    fillRows([](FillRowsDialog& d) { d.tableBox()->setPlainText("type\nint\n"); });
    EXPECT_EQ(hints.last().first().toString(), "") << "a fill of known types takes the note away";

    app.writeDataFile("TypeMaps.tsv", "pattern\tkotlin\nint*\tInt\tLong\n");
    std::unique_ptr<QSignalSpy> faults;
    openWindow(&faults);
    ASSERT_EQ(faults->size(), 1);
    const QString fault = faults->first().first().toString();
    EXPECT_TRUE(fault.contains("TypeMaps.tsv, line 2: the row has 3 columns")) << fault.toStdString();
    run("[($Type:csharp!|1|n)]", {"1"});
    fillRows([](FillRowsDialog& d) { d.tableBox()->setPlainText("type\nbigint\n"); });
    EXPECT_EQ(result(), "long\n") << "the shipped map stands in";
}

} // namespace
