#include "BoundAnswerRules.h"
#include "BoundsDialog.h"
#include "RunProgress.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(BoundAnswers, OnlyWholeNumbersInTheRangeAreTaken)
{
    const std::pair<const char*, const char*> cases[] = { // answer, problem (nullptr: usable)
        {"3", nullptr}, {" -12 ", nullptr}, {"+7", nullptr}, {"2147483647", nullptr}, {"-2147483648", nullptr},
        {"", "Enter a whole number"}, {"   ", "Enter a whole number"}, {"abc", "Not a whole number"},
        {"2.5", "Not a whole number"}, {"1e3", "Not a whole number"}, {"3x", "Not a whole number"},
        {"--1", "Not a whole number"}, {"2147483648", "Out of range"}, {"-99999999999", "Out of range"},
    };
    for (const auto& [answer, expected] : cases) {
        const QString want = expected ? expected : "usable";
        EXPECT_EQ(WholeNumberProblem(QString::fromLatin1(answer)).value_or("usable").left(want.size()), want) << answer;
    }
}

TEST(BoundAnswers, AreRememberedPerTemplateWhateverTheNameOrItsCase)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    const QStringList names{"n", "/", "\\", "é"};
    EXPECT_EQ(RememberedAnswers(settings, "key2", names), (QStringList{"1", "1", "1", "1"}));
    RememberAnswers(settings, "key2", names, {" 4 ", "5", "-6", "7"});
    EXPECT_EQ(RememberedAnswers(settings, "key2", {"N", "/", "\\", "É", "m"}), (QStringList{"4", "5", "-6", "7", "1"}));
    EXPECT_EQ(RememberedAnswers(settings, "key3", {"n"}), QStringList{"1"});
    settings.setValue(settings.allKeys().first(), "garbage");
    EXPECT_TRUE(RememberedAnswers(settings, "key2", names).contains("1")) << "a spoilt answer starts from 1";
}

TEST(BoundsDialog, OkWaitsUntilEveryAnswerIsAWholeNumberAndSaysWhy)
{
    BoundsDialog dialog({"n", "m"}, {"3", "oops"});
    QPushButton* ok = dialog.buttons()->button(QDialogButtonBox::Ok);
    auto reasons = [&] { return QStringList{dialog.reason(0)->text(), dialog.reason(1)->text()}; };
    EXPECT_EQ(dialog.field(0)->text(), "3");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(reasons(), (QStringList{"", "Not a whole number"}));
    dialog.field(1)->selectAll();
    QTest::keyClicks(dialog.field(1), "12");
    EXPECT_TRUE(ok->isEnabled());
    dialog.field(0)->clear();
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(reasons(), (QStringList{"Enter a whole number", ""}));
    dialog.field(0)->setText(" 8 ");
    EXPECT_EQ(dialog.answers(), (QStringList{"8", "12"}));
}

TEST(RunProgress, ShowsOnlyForLongRunsAndIsGoneOnceCancelledOrDone)
{
    QWidget window;
    auto dialog = [&] { return window.findChild<QProgressDialog*>(); };
    ExpansionProgress shortRun = ProgressDialogFor(&window, 100);
    EXPECT_TRUE(shortRun(0, 100) && shortRun(50, 100));
    EXPECT_EQ(dialog(), nullptr);
    ExpansionProgress longRun = ProgressDialogFor(&window, 100);
    EXPECT_TRUE(longRun(0, 1000) && longRun(500, 1000));
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->value(), dialog()->maximum() / 2);
    dialog()->cancel();
    EXPECT_FALSE(longRun(600, 1000));
    EXPECT_EQ(dialog(), nullptr);
    ExpansionProgress finished = ProgressDialogFor(&window, 100);
    EXPECT_TRUE(finished(0, 1000) && finished(1000, 1000));
    EXPECT_EQ(dialog(), nullptr);
}

} // namespace
