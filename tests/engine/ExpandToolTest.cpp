#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString ToolPath()
{
    return QCoreApplication::applicationDirPath() + "/vellumatic-expand";
}

// `prepareChild` runs in the child before the tool starts (to close its input, limit
// file sizes and the like).
ToolRun RunTool(const QStringList& arguments, const QByteArray& input = {},
                const std::function<void()>& prepareChild = {}, const QString& program = ToolPath())
{
    QProcess process;
    if (prepareChild)
        process.setChildProcessModifier(prepareChild);
    process.start(program, arguments);
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
    QString Path(const QString& name) const { return dir_.filePath(name); }

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

TEST_F(ExpandTool, ReportsUnreadableInputAndUnwritableOutputAndLeavesNoPartialFile)
{
    const ToolRun closed = RunTool({"--set", "n=2"}, {}, [] { ::close(STDIN_FILENO); });
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_TRUE(closed.out.isEmpty());
    EXPECT_TRUE(closed.err.contains("standard input")) << closed.err.toStdString();

    // A file name whose bytes are not UTF-8, passed through the shell as raw bytes.
    const QByteArray rawName = QFile::encodeName(Path("t")) + "\xff\xfe.txt";
    QFile raw;
    const int fd = ::open(rawName.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(raw.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    raw.write("[(a|1|2)]");
    raw.close();
    const ToolRun oddName = RunTool({"-c", "exec \"$0\" \"$(printf '%s\\377\\376.txt' \"$1\")\"", ToolPath(), Path("t")},
                                    {}, {}, "/bin/sh");
    EXPECT_EQ(oddName.exitCode, 0) << oddName.err.toStdString();
    EXPECT_EQ(oddName.out, "a\na\n");
    ::unlink(rawName.constData());

    const QString output = Path("out.txt");
    EXPECT_EQ(RunTool({"--output", output, "--set", "n=3"}, kFieldList).exitCode, 0);
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "$Field0001!,\n$Field0002!,\n$Field0003!\n");
    written.close();

    // Past the file size limit: a message, not death by signal, and the old file intact.
    const auto limitFileSize = [] {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    const QString templateFile = TemplateFile(kFieldList);
    const ToolRun toFile = RunTool({"--output", output, "--set", "n=100000", templateFile}, {}, limitFileSize);
    const ToolRun toStdout = RunTool({"-c", "exec \"$0\" --set n=100000 \"$1\" > \"$2\"", ToolPath(), templateFile,
                                      Path("stdout.txt")},
                                     {}, limitFileSize, "/bin/sh");
    for (const ToolRun& limited : {toFile, toStdout}) {
        EXPECT_EQ(limited.exitCode, 1);
        EXPECT_TRUE(limited.err.contains("File too large")) << limited.err.toStdString();
    }
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "$Field0001!,\n$Field0002!,\n$Field0003!\n");
    EXPECT_EQ(QDir(Path("")).entryList(QDir::Files | QDir::Hidden).filter(".vellumatic").size(), 0);
    EXPECT_EQ(RunTool({"--output", Path("missing/out.txt")}, kFieldList).exitCode, 1);
}

TEST_F(ExpandTool, StrictStopsAtBoundsTheQuietRunPassesOverAndHelpSaysSo)
{
    for (const auto& [text, answer] : {std::pair<QByteArray, QString>{"[(a|1|2147483648)]x", "2"},
                                       std::pair<QByteArray, QString>{"[(a|1|n)]x", "abc"}}) {
        const ToolRun quiet = RunTool({"--answer", answer}, text);
        EXPECT_EQ(quiet.exitCode, 0);
        EXPECT_EQ(quiet.out, "x");
        const ToolRun strict = RunTool({"--strict", "--answer", answer}, text);
        EXPECT_EQ(strict.exitCode, 3);
        EXPECT_TRUE(strict.out.isEmpty());
        EXPECT_TRUE(strict.err.contains("upper bound")) << strict.err.toStdString();
    }
    const ToolRun help = RunTool({"--help"});
    EXPECT_TRUE(help.out.contains("--strict"));
    EXPECT_TRUE(help.out.contains("2147483648"));
    EXPECT_TRUE(help.out.contains("--output FILE"));

    EXPECT_EQ(RunTool({"--version"}).out, "vellumatic-expand " VELLUMATIC_VERSION "\n");

    const ToolRun parse = RunTool({}, "text\n  [(a|1|2)(b");
    EXPECT_EQ(parse.exitCode, 2);
    EXPECT_TRUE(parse.err.contains("<stdin>:2:11: group opened at line 2, column 11")) << parse.err.toStdString();
}
