#include "ConnectionDialog.h"
#include "ConnectionSettings.h"
#include "ConnectionString.h"
#include "WorkspaceTestSupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ConnectionDialogTest : public testing::Test
{
protected:
    ConnectionDialogTest() { dialog.show(); }
    void chooseKind(const QString& caption)
    {
        auto* kinds = control<QComboBox>(dialog, "kindBox");
        ASSERT_GE(kinds->findText(caption), 0) << caption.toStdString();
        kinds->setCurrentIndex(kinds->findText(caption));
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(dialog, name); }
    bool okEnabled() { return control<QDialogButtonBox>(dialog, "buttons")->button(QDialogButtonBox::Ok)->isEnabled(); }
    ConnectionDialog dialog;
};

TEST_F(ConnectionDialogTest, PostgresFieldsGiveAStringThatReadsBackWithThePassword)
{
    chooseKind("PostgreSQL");
    EXPECT_FALSE(box("fileBox")->isVisible());
    EXPECT_EQ(box("passwordBox")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(okEnabled()); // no database yet
    QTest::keyClicks(box("hostBox"), "db.example");
    control<QSpinBox>(dialog, "portBox")->setValue(5433);
    QTest::keyClicks(box("databaseBox"), "crm");
    QTest::keyClicks(box("userBox"), "me");
    QTest::keyClicks(box("passwordBox"), "se;cr\"et ");
    EXPECT_TRUE(okEnabled());

    QString error;
    const auto settings = toConnectionSettings(dialog.connectionString(), &error);
    ASSERT_TRUE(settings) << error.toStdString();
    EXPECT_EQ(QStringList({settings->hostName, QString::number(settings->port), settings->databaseName,
                           settings->userName, settings->password}),
              QStringList({"db.example", "5433", "crm", "me", "se;cr\"et "}));
}

TEST_F(ConnectionDialogTest, SqliteFileAndTypedStringsNeedTheirOneField)
{
    chooseKind("SQLite file");
    EXPECT_FALSE(box("userBox")->isVisible());
    EXPECT_FALSE(okEnabled());
    QTest::keyClicks(box("fileBox"), "/data/crm.db");
    EXPECT_TRUE(okEnabled());
    EXPECT_EQ(dialog.connectionString(), "Provider=SQLite;Data Source=/data/crm.db");

    chooseKind("Connection string");
    EXPECT_FALSE(okEnabled());
    QTest::keyClicks(box("connectionStringBox"), " provider=msdaora.1;Data Source=orcl ");
    EXPECT_TRUE(okEnabled());
    EXPECT_TRUE(readsOracleDictionary(dialog.connectionString()));
}

} // namespace
