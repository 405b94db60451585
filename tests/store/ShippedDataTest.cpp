#include "CapturedFailures.h"
#include "Stream.h"
#include "TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <limits>

// The Data folder shipped with the program reads cleanly and is byte for byte what the store writes.
TEST(ShippedData, ReadsCleanlyAndIsWhatTheStoreWrites)
{
    TempAppFolder app;
    const QDir shipped(QStringLiteral(VELLUMATIC_SHIPPED_DATA));
    const QStringList files = shipped.entryList(QDir::Files);
    ASSERT_TRUE(files.contains("Tempalates.app") && files.contains("Values.app"));
    for (const QString& name : files)
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), app.dataPath(name)));

    CapturedFailures failures;
    Stream store(app.path());
    for (const QString& name : files) {
        const QByteArray before = app.readDataFile(name);
        if (name.endsWith(".app")) {
            std::optional<Recordset> rs = store.DeleteRecord("Data/" + name, std::numeric_limits<qint32>::min());
            ASSERT_TRUE(rs) << name.toStdString();
            EXPECT_EQ(rs->FieldNames(), "ID,Name,ParentID,Spare,Image") << name.toStdString();
        } else {
            ASSERT_TRUE(store.WriteStream(name, store.ReadStream(name).chopped(2))) << name.toStdString();
        }
        EXPECT_EQ(app.readDataFile(name), before) << name.toStdString();
    }
    EXPECT_TRUE(failures.texts.isEmpty()) << failures.texts.join('\n').toStdString();
}
