#include "WindowSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WindowSettingsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
};

TEST_F(WindowSettingsTest, MissingOrUnusableValuesFallBackToTheirDefaults)
{
    EXPECT_EQ(ReadWindowSettings(settings), (MainWindowPlacement{1000, 1000, 6500, 6500}));
    settings.setValue("Settings/MainLeft", "-300");
    settings.setValue("Settings/MainTop", "twelve");
    settings.setValue("Settings/MainWidth", "0");
    settings.setValue("Settings/MainHeight", "nan");
    EXPECT_EQ(ReadWindowSettings(settings), (MainWindowPlacement{-300, 1000, 6500, 6500}));
}

TEST_F(WindowSettingsTest, WritesShortestDecimalTextAndReadsItBack)
{
    EXPECT_EQ(SettingText(15000), "15000");
    EXPECT_EQ(SettingText(1000.5f), "1000.5");
    EXPECT_EQ(SettingText(0.1f), "0.1");
    const MainWindowPlacement placed{-15, 300, 14400.5f, 9000};
    WriteWindowSettings(settings, placed);
    EXPECT_EQ(settings.value("Settings/MainWidth").toString(), "14400.5");
    EXPECT_EQ(ReadWindowSettings(settings), placed);
}

TEST(BringOntoScreen, MovesOnlyAWindowThatShowsNowhere)
{
    const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
    const QRect partlyOff(1200, 700, 600, 400);
    EXPECT_EQ(BringOntoScreen(partlyOff, screens), partlyOff);
    EXPECT_EQ(BringOntoScreen(QRect(1500, 100, 400, 300), screens), QRect(1500, 100, 400, 300));
    EXPECT_EQ(BringOntoScreen(QRect(5000, -3000, 400, 300), screens), QRect(880, 0, 400, 300));
    EXPECT_EQ(BringOntoScreen(QRect(-9000, 50, 3000, 2000), screens), QRect(0, 0, 1280, 800));
}

} // namespace
