#include "WindowSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(WindowSettings, ReadBackWhatWasWrittenAndFallBackOnWhatIsMissingOrUnusable)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(ReadWindowSettings(settings), (MainWindowPlacement{1000, 1000, 6500, 6500}));
    settings.setValue("Settings/Other", "1");
    EXPECT_FALSE(HasWindowSettings(settings)) << "the first start is the one without the keys";
    settings.setValue("Settings/MainLeft", "-300");
    settings.setValue("Settings/MainTop", "twelve");
    settings.setValue("Settings/MainWidth", "0");
    settings.setValue("Settings/MainHeight", "nan");
    EXPECT_TRUE(HasWindowSettings(settings));
    EXPECT_EQ(ReadWindowSettings(settings), (MainWindowPlacement{-300, 1000, 6500, 6500}));

    for (const auto& [value, text] : {std::pair{15000.0f, "15000"}, {1000.5f, "1000.5"}, {0.1f, "0.1"}})
        EXPECT_EQ(SettingText(value), text);
    const MainWindowPlacement placed{-15, 300, 14400.5f, 9000};
    WriteWindowSettings(settings, placed);
    EXPECT_EQ(settings.value("Settings/MainWidth").toString(), "14400.5");
    EXPECT_EQ(ReadWindowSettings(settings), placed);
}

TEST(WindowSettings, AFrameStaysWhollyOnTheAreaItMostlyLiesOnAndStartsCentred)
{
    const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 700)};
    struct Case
    {
        QRect frame, fitted;
    } cases[] = {
        {{100, 50, 600, 400}, {100, 50, 600, 400}},     // already inside
        {{1200, 700, 600, 400}, {680, 400, 600, 400}},  // hanging off the corner
        {{1500, 100, 1200, 800}, {1280, 0, 1024, 700}}, // closed on a bigger screen
        {{1300, 100, 400, 300}, {1300, 100, 400, 300}}, // on the second screen
        {{5000, -3000, 400, 300}, {880, 0, 400, 300}},  // on no screen: the first one
        {{-9000, 50, 3000, 2000}, {0, 0, 1280, 800}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitOntoScreen(c.frame, screens), c.fitted) << c.frame.x() << "," << c.frame.y();
    EXPECT_EQ(FitOntoScreen(QRect(1, 2, 3, 4), {}), QRect(1, 2, 3, 4));
    EXPECT_EQ(FirstStartFrame(QRect(1280, 30, 1000, 700)), QRect(1380, 100, 800, 560));
}
