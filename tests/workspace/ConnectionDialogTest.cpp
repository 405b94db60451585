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

struct DialogUnderTest
{
    ConnectionDialog dialog;

    template <typename T> T* child(const char* name) const { return control<T>(dialog, name); }
    void chooseKind(const QString& caption) const
    {
        auto* kinds = child<QComboBox>("kindBox");
        const int index = kinds->findText(caption);
        ASSERT_GE(index, 0) << caption.toStdString();
        kinds->setCurrentIndex(index);
    }
    void type(const char* name, const QString& text) const
    {
        QTest::keyClicks(child<QLineEdit>(name), text);
    }
    bool okEnabled() const
    {
        return child<QDialogButtonBox>("buttons")->button(QDialogButtonBox::Ok)->isEnabled();
    }
};

} // namespace

TEST(ConnectionDialog, PostgresFieldsGiveAStringThatReadsBackWithThePassword)
{
    DialogUnderTest t;
    t.dialog.show();
    t.chooseKind(QStringLiteral("PostgreSQL"));
    EXPECT_FALSE(t.child<QLineEdit>("fileBox")->isVisible());
    EXPECT_TRUE(t.child<QLineEdit>("hostBox")->isVisible());
    EXPECT_EQ(t.child<QLineEdit>("passwordBox")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(t.okEnabled()); // no database yet

    t.type("hostBox", QStringLiteral("db.example"));
    t.child<QSpinBox>("portBox")->setValue(5433);
    t.type("databaseBox", QStringLiteral("crm"));
    t.type("userBox", QStringLiteral("me"));
    t.type("passwordBox", QStringLiteral("se;cr\"et "));
    EXPECT_TRUE(t.okEnabled());

    const QString text = t.dialog.connectionString();
    EXPECT_TRUE(text.startsWith(u"Provider=PostgreSQL;"));
    QString error;
    const auto settings = toConnectionSettings(text, &error);
    ASSERT_TRUE(settings) << error.toStdString();
    EXPECT_EQ(settings->hostName, u"db.example");
    EXPECT_EQ(settings->port, 5433);
    EXPECT_EQ(settings->databaseName, u"crm");
    EXPECT_EQ(settings->password, u"se;cr\"et ");
}

TEST(ConnectionDialog, SqliteFileAndTypedStringsNeedTheirOneField)
{
    DialogUnderTest t;
    t.dialog.show();
    t.chooseKind(QStringLiteral("SQLite file"));
    EXPECT_FALSE(t.child<QLineEdit>("userBox")->isVisible());
    EXPECT_FALSE(t.okEnabled());
    t.type("fileBox", QStringLiteral("/data/crm.db"));
    EXPECT_TRUE(t.okEnabled());
    EXPECT_EQ(t.dialog.connectionString(), u"Provider=SQLite;Data Source=/data/crm.db");

    t.chooseKind(QStringLiteral("Connection string"));
    EXPECT_FALSE(t.okEnabled());
    t.type("connectionStringBox", QStringLiteral(" provider=msdaora.1;Data Source=orcl "));
    EXPECT_TRUE(t.okEnabled());
    EXPECT_TRUE(readsOracleDictionary(t.dialog.connectionString()));
}
