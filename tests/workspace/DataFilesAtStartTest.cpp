#include "WorkspaceTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <memory>

namespace {

// What a start finds in the Data folder beside the catalogues: the leftovers of a write the
// program was killed in go; a catalogue saved as UTF-8 is named in a question and changes only
// with the user's Yes (on No it is shown as before and cannot be changed).
TEST_F(WorkspaceTest, AStartRemovesKilledWritesAndAsksBeforeAUtf8CatalogueIsConverted)
{
    const QByteArray utf8 = CatalogueFile({"2|Caf\xC3\xA9|-1|0|3"}).replace("\xB1", "\xC2\xB1");
    app.writeDataFile("Values.app", utf8);
    for (const QString name : {"Values.app.MYZHiN", "TMP_key2.AbCdEf", "Values.app.old"}) {
        app.writeDataFile(name, "cut short");
        QFile file(app.dataPath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(-300), QFileDevice::FileModificationTime));
    }

    auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    EXPECT_EQ(QDir(app.dataPath()).entryList(QDir::Files), (QStringList{"Tempalates.app", "Values.app", "Values.app.old"}));
    ASSERT_EQ(failures.questions.size(), 1);
    EXPECT_TRUE(failures.questions[0].contains("Values.app") && failures.questions[0].contains("UTF-8"));
    addValue(*doc, "Tea");
    EXPECT_EQ(app.readDataFile("Values.app"), utf8) << "nothing written without the user's Yes";
    EXPECT_TRUE(dialogs.messages.value(1).text.contains("cannot be changed"));
    doc.reset();

    failures.answer = true;
    doc = std::make_unique<WorkspaceWindow>(app.dataPath());
    EXPECT_EQ(children(doc->valueTree(), "key-1"), QStringList{QString::fromUtf8("key2=Café")});
    EXPECT_EQ(app.readDataFile("Values.app"), CatalogueFile({"2|Caf\xE9|-1|0|3"}));
    addValue(*doc, "Tea");
    EXPECT_TRUE(app.readDataFile("Values.app").startsWith(CatalogueFile({"2|Caf\xE9|-1|0|3"}).chopped(3) + "\xB1"));
    EXPECT_TRUE(app.readDataFile("Values.app").endsWith("|Tea|-1|0|3\"\r\n"));
    EXPECT_EQ(failures.questions.size(), 2) << "converted once, then Windows-1252 like the others";
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}

} // namespace
