#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun RunTool(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/vellumatic-expand", arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

class ExpandTool : public testing::Test
{
protected:
    QString TemplateFile(const QByteArray& content)
    {
        const QString path = dir_.filePath(QString("template%1.txt").arg(++files_));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

private:
    QTemporaryDir dir_;
    int files_ = 0;
};

const QByteArray kFieldList = "[($Field!|1|n)(,|1|n-1)]";

} // namespace

TEST_F(ExpandTool, ReadsTheTemplateFromAFileOrStandardInput)
{
    const QByteArray expected = "$Field0001!,\n$Field0002!,\n$Field0003!\n";
    EXPECT_EQ(RunTool({"--set", "n=3", TemplateFile(kFieldList)}).out, expected);
    EXPECT_EQ(RunTool({"--set", "n=3"}, kFieldList).out, expected);
    const ToolRun dash = RunTool({"--set=n=3", "-"}, kFieldList);
    EXPECT_EQ(dash.exitCode, 0);
    EXPECT_EQ(dash.out, expected);
    EXPECT_EQ(RunTool({"--compact", "--answer", "3"}, kFieldList).out, "$Field0001!,$Field0002!,$Field0003!");
    // UTF-8 through and through, line breaks outside tokens untouched.
    EXPECT_EQ(RunTool({}, "Größe\r\n[(é|1|2)]\r\n").out, "Größe\r\né\né\n\r\n");
    const QByteArray noGroups = "arr[i] = $v!;\r\nno newline at the end";
    const ToolRun plain = RunTool({}, noGroups);
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, noGroups);
}

TEST_F(ExpandTool, AnswersPromptsInOrderAndSetsNamesWithoutUsingAnswers)
{
    EXPECT_EQ(RunTool({"--answer", "2", "--answer", "3"}, "[($f!|a|b)]").out, "$f0002!\n$f0003!\n");
    EXPECT_EQ(RunTool({"--answer", "3", "--answer", "2"}, "[($f!|a|b)]").out, "");
    EXPECT_EQ(RunTool({"--set", "N=3", "--answer", "2"}, "[(x|m|n)]").out, "x\nx\n");
    // Prompts beyond the answers mean 1.
    EXPECT_EQ(RunTool({}, "[(x|a|b)]").out, "x\n");

    const ToolRun shown = RunTool({"--show-prompts", "--set", "b=2"}, "[(x|a|b)(y|1|a+1)]");
    EXPECT_EQ(shown.err, "Please Enter value for: a (Default is 1)\n"
                         "Please Enter value for: b (Default is 1)\n"
                         "Please Enter value for: a (Default is 1)\n");
    EXPECT_EQ(shown.out, "xy\nxy\n");
}

TEST_F(ExpandTool, ListsFieldsInsteadOfTheResult)
{
    EXPECT_EQ(RunTool({"--fields", "--set", "n=2"}, "[($F!|1|n)] $x! $X! $y!").out,
              "$F0001!\n$F0002!\n$x!\n$y!\n");
    EXPECT_EQ(RunTool({"--fields", "--null"}, "$a\nb! $c!").out, QByteArray("$a\nb!\0$c!\0", 10));
    EXPECT_EQ(RunTool({"--fields"}, "no markers").out, "");
}

TEST_F(ExpandTool, ExitStatusTellsWhatHappened)
{
    const ToolRun parse = RunTool({}, "[(a|1)]");
    EXPECT_EQ(parse.exitCode, 2);
    EXPECT_TRUE(parse.out.isEmpty());
    EXPECT_TRUE(parse.err.contains("Can't Proceed, Parser failed to parse the string."));

    const ToolRun stopped = RunTool({"--answer", "abc"}, "[(a|1|n+1)]");
    EXPECT_EQ(stopped.exitCode, 3);
    EXPECT_TRUE(stopped.out.isEmpty());
    EXPECT_EQ(stopped.err.count('\n'), 1);

    const ToolRun overflow = RunTool({"--set", "n=2147483647"}, "[(a|1|n+1)]");
    EXPECT_EQ(overflow.exitCode, 3);

    const ToolRun huge = RunTool({"--set", "n=2000000000"}, kFieldList);
    EXPECT_EQ(huge.exitCode, 4);
    EXPECT_TRUE(huge.out.isEmpty());
    EXPECT_TRUE(huge.err.contains("at most"));

    for (const QStringList& usage : {QStringList{"--bogus"}, QStringList{"--set", "nn=3"},
                                     QStringList{"--set"}, QStringList{"--null"},
                                     QStringList{"a.txt", "b.txt"},
                                     QStringList{"/nonexistent/template.txt"}}) {
        const ToolRun run = RunTool(usage, kFieldList);
        EXPECT_EQ(run.exitCode, 1) << usage.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_EQ(RunTool({}, "\xff\xfe[(a|1|2)]").exitCode, 1); // not UTF-8

    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--show-prompts"));
    EXPECT_TRUE(help.out.contains("134217728"));
}
