#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct ToolRun { int exitCode = -1; QByteArray out, err; };

QString ToolPath() { return QCoreApplication::applicationDirPath() + "/vellumatic-expand"; }

// `prepareChild` runs in the child before the tool starts (to close its input, limit file sizes).
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

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

const QByteArray kFieldList = "[($Field!|1|n)(,|1|n-1)]";
const QByteArray kThreeFields = "$Field0001!,\n$Field0002!,\n$Field0003!\n";

} // namespace

// Standard input in, the result or the exit status out; an error says something on standard error.
TEST(ExpandTool, ExitStatusOutputMessagesFilesAsNamedAndOutputWholeOrNotAtAll)
{
    const QByteArray noGroups = "arr[i] = $v!;\r\nno newline at the end";
    // `err` is a part of standard error.
    const struct { QStringList arguments; QByteArray input; int exitCode; QByteArray out, err = {}; } cases[] = {
        {{"--set=n=3", "-"}, kFieldList, 0, kThreeFields},
        {{"--compact", "--answer", "3"}, kFieldList, 0, "$Field0001!,$Field0002!,$Field0003!"},
        {{}, "Größe\r\n[(é|1|2)]\r\n", 0, "Größe\r\né\né\n\r\n"}, // line breaks outside tokens untouched
        {{}, noGroups, 0, noGroups},
        {{"--answer", "2", "--answer", "3"}, "[($f!|a|b)]", 0, "$f0002!\n$f0003!\n"},
        {{"--set", "N=3", "--answer", "2"}, "[(x|m|n)]", 0, "x\nx\n"}, // set names use up no answers
        {{}, "[(x|a|b)]", 0, "x\n"},                                   // prompts beyond the answers mean 1
        {{"--show-prompts", "--set", "b=2"}, "[(x|a|b)(y|1|a+1)]", 0, "xy\nxy\n",
         "Please Enter value for: a (Default is 1)\nPlease Enter value for: b (Default is 1)\n"},
        // Each name is answered once, as the window asks it; written numbers are asked for by no name.
        {{"--answer", "5"}, "[(a|n-1|n+1)]", 0, "a\na\na\n"},
        {{"--answer", "2", "--answer", "3"}, "[(a|-1|n)(b| 2|m)]", 0, "a\na\na\nab\nb\n"},
        {{"--answer", "", "--answer", "2"}, "[(a|n|m)]", 0, "a\na\n"}, // the empty answer means 1
        {{"--fields", "--set", "n=2"}, "[($F!|1|n)] $x! $X! $y!", 0, "$F0001!\n$F0002!\n$x!\n$y!\n"},
        {{"--fields", "--null"}, "$a\nb! $c!", 0, QByteArray("$a\nb!\0$c!\0", 10)},
        {{}, "[(a|1)]", 2, "", "Can't Proceed, Parser failed to parse the string."},
        {{}, "text\n  [(a|1|2)(b", 2, "", "<stdin>:2:11: group opened at line 2, column 11"},
        {{"--answer", "abc"}, "[(a|1|n+1)]", 3, "", "upper bound"},
        {{"--set", "n=2000000000"}, kFieldList, 4, "", "at most"},
        // Strict runs stop where quiet ones pass over.
        {{"--answer", "2"}, "[(a|1|2147483648)]x", 0, "x"},
        {{"--strict", "--answer", "2"}, "[(a|1|2147483648)]x", 3, "", "upper bound"},
        {{"--bogus"}, kFieldList, 1, ""},
        {{"--set", "nn=3"}, kFieldList, 1, ""},
        {{"--null"}, kFieldList, 1, ""},
        {{"a.txt", "b.txt"}, kFieldList, 1, ""},
        {{"/nonexistent/template.txt"}, kFieldList, 1, ""},
        {{}, "\xff\xfe[(a|1|2)]", 1, ""}, // not UTF-8
        // The stored catalogue's options go together only one way.
        {{"--save", "a.txt"}, kFieldList, 1, "", "--save only applies to --template"},
        {{"--list", "--template", "x"}, kFieldList, 1, "", "cannot be combined"},
        {{"--template", "x", "a.txt"}, kFieldList, 1, "", "cannot be given with"},
        {{"--data="}, kFieldList, 1, "", "--data needs a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.arguments.join(' ') + " < " + c.input).toStdString());
        const ToolRun run = RunTool(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
        EXPECT_EQ(run.err.isEmpty(), c.exitCode == 0 && c.err.isEmpty()) << run.err.toStdString();
    }
    EXPECT_EQ(RunTool({"--answer", "abc"}, "[(a|1|n+1)]").err.count('\n'), 1);
    EXPECT_EQ(RunTool({"--help"}).exitCode, 0);

    // Files are read as named and output is written whole or not at all.
    QTemporaryDir dir;
    const QString templateFile = dir.filePath("template.txt");
    QFile file(templateFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kFieldList) == kFieldList.size() && file.flush());
    EXPECT_EQ(RunTool({"--set", "n=3", templateFile}).out, kThreeFields);

    // A file name whose bytes are not UTF-8, passed through the shell as raw bytes.
    const QByteArray rawName = QFile::encodeName(dir.filePath("t")) + "\xff\xfe.txt";
    const int fd = ::open(rawName.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_TRUE(fd >= 0 && ::write(fd, "[(a|1|2)]", 9) == 9);
    ::close(fd);
    const ToolRun oddName = RunTool({"-c", "exec \"$0\" \"$(printf '%s\\377\\376.txt' \"$1\")\"", ToolPath(),
                                     dir.filePath("t")}, {}, {}, "/bin/sh");
    EXPECT_EQ(oddName.exitCode, 0) << oddName.err.toStdString();
    EXPECT_EQ(oddName.out, "a\na\n");
    ::unlink(rawName.constData());

    const QString output = dir.filePath("out.txt");
    EXPECT_EQ(RunTool({"--output", output, "--set", "n=3"}, kFieldList).exitCode, 0);
    EXPECT_EQ(ReadFile(output), kThreeFields);

    // Past the file size limit or without an input: a message, not death by signal, and the old file intact.
    const auto limitFileSize = [] { const rlimit limit{4096, 4096}; ::setrlimit(RLIMIT_FSIZE, &limit); };
    const ToolRun toFile = RunTool({"--output", output, "--set", "n=100000", templateFile}, {}, limitFileSize);
    const ToolRun toStdout = RunTool({"-c", "exec \"$0\" --set n=100000 \"$1\" > \"$2\"", ToolPath(), templateFile,
                                      dir.filePath("stdout.txt")}, {}, limitFileSize, "/bin/sh");
    const ToolRun closed = RunTool({"--set", "n=2"}, {}, [] { ::close(STDIN_FILENO); });
    for (const auto& [run, message] : {std::pair{toFile, "File too large"}, {toStdout, "File too large"},
                                       {closed, "standard input"}}) {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty() && run.err.contains(message)) << run.err.toStdString();
    }
    EXPECT_EQ(ReadFile(output), kThreeFields);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".vellumatic").size(), 0);
    EXPECT_EQ(RunTool({"--output", dir.filePath("missing/out.txt")}, kFieldList).exitCode, 1);
}


namespace {

int KindOf(const QString& path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & S_IFMT) : 0;
}

} // namespace

// A link is written through (its target replaced, the link kept), a FIFO or device straight into,
// and what cannot hold a result is refused and left alone.
TEST(ExpandTool, OutputFollowsLinksWritesIntoFifosAndDevicesAndRefusesTheRest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const QString target = dir.filePath("target.txt");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3 && old.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    old.close();
    // Relative targets are read from the link's folder, not the tool's; links may chain.
    ASSERT_TRUE(QFile::link("../target.txt", dir.filePath("sub/link")));
    ASSERT_TRUE(QFile::link("sub/link", dir.filePath("chain")));
    ASSERT_TRUE(QFile::link("created.txt", dir.filePath("dangling")));
    for (const QString& link : {dir.filePath("sub/link"), dir.filePath("chain")}) {
        SCOPED_TRACE(link.toStdString());
        const ToolRun run = RunTool({"--output", link, "--set", "n=3"}, kFieldList);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(KindOf(link), S_IFLNK);
        EXPECT_EQ(ReadFile(target), kThreeFields);
        EXPECT_EQ(QFile::permissions(target), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        ASSERT_TRUE(QFile::resize(target, 0));
    }
    EXPECT_EQ(RunTool({"--output", dir.filePath("dangling"), "--set", "n=3"}, kFieldList).exitCode, 0);
    EXPECT_EQ(KindOf(dir.filePath("dangling")), S_IFLNK);
    EXPECT_EQ(ReadFile(dir.filePath("created.txt")), kThreeFields);

    // A FIFO: the reader is open before the tool starts and takes what it wrote once it has ended.
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const ToolRun intoFifo = RunTool({"--output", dir.filePath("fifo"), "--set", "n=3"}, kFieldList);
    char buffer[256];
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(intoFifo.exitCode, 0) << intoFifo.err.toStdString();
    EXPECT_EQ(QByteArray(buffer, got > 0 ? got : 0), kThreeFields);
    EXPECT_EQ(KindOf(dir.filePath("fifo")), S_IFIFO);

    // A device stays one. As root the tool could replace /dev/null itself, so root gets a copy of it.
    QString device = "/dev/null";
    if (::getuid() == 0) {
        device = dir.filePath("null");
        ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    const ToolRun intoDevice = RunTool({"--output", device, "--set", "n=3"}, kFieldList);
    EXPECT_EQ(intoDevice.exitCode, 0) << intoDevice.err.toStdString();
    EXPECT_EQ(KindOf(device), S_IFCHR);

    // A folder and a socket are refused, named, and left as they were.
    const QString socketPath = dir.filePath("socket");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(socketName.size()), sizeof address.sun_path);
    std::copy(socketName.cbegin(), socketName.cend(), address.sun_path);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const auto& [path, kind, reason] : {std::tuple{dir.filePath("sub"), S_IFDIR, "directory"},
                                             std::tuple{socketPath, S_IFSOCK, "socket"}}) {
        const ToolRun refused = RunTool({"--output", path, "--set", "n=3"}, kFieldList);
        EXPECT_EQ(refused.exitCode, 1) << path.toStdString();
        EXPECT_TRUE(refused.err.contains(QFile::encodeName(path)) && refused.err.contains(reason))
            << refused.err.toStdString();
        EXPECT_EQ(KindOf(path), kind) << path.toStdString();
    }
    ::close(listening);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).filter(".vellumatic").size(), 0);
}

// Rows, fields and type maps fill the result; files that cannot be used fail the run before any output.
TEST(ExpandTool, FillsFieldsAndRepetitionsFromRowsThroughTheTypeMap)
{
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    const QString csv = write("columns.csv", "name,type\r\ncustomer id,int4\r\n\"ship\nto\",jsonb\r\n");
    const QString tsv = write("columns.tsv", "TYPE\tcol\nbigint\torder_id\n");
    const QString map = write("map.tsv", "pattern\tcsharp\nint*\tInt32\n");
    const QString badMap = write("bad.tsv", "pattern\tcsharp\nint(\tint\n");
    const QString badRows = write("bad.csv", "name,type\nx,\"y\n");
    const QByteArray member = "class $Class:pascal! {\n[(    $Type:csharp! $Col:pascal!; // $col!|1|n)]}";
    const QByteArray twoRows = "class OrderLine {\n    int CustomerId; // customer id\n    jsonb ShipTo; // ship\nto\n}";

    const struct { QStringList arguments; QByteArray input; int exitCode; QByteArray out, err = {}; } cases[] = {
        // The one bound name takes the row count.
        {{"--rows", csv, "--fill", "Class=order line"}, member, 0, twoRows, "no row for jsonb"},
        {{"--rows", csv, "--fill=class=order line", "--set", "n=3"}, member, 0,
         "class OrderLine {\n    int CustomerId; // customer id\n    jsonb ShipTo; // ship\nto\n"
         "    $Type:csharp0003! $Col:pascal0003!; // $col0003!\n}",
         "fills 2 of 3 repetitions"},
        {{"--rows", csv, "--answer", "1"}, member, 0, "class $Class:pascal! {\n    int CustomerId; // customer id\n}",
         "1 of 2 rows left unused"},
        {{"--rows", tsv, "--type-map", map}, member, 0, "class $Class:pascal! {\n    bigint OrderId; // order_id\n}",
         "no row for bigint"},
        {{"--rows", csv, "--type-map", map, "--fill", "Col0002=x"}, "[($Type:csharp!,$Col!|1|n)]", 0,
         "Int32,customer id\njsonb,x\n", "jsonb"}, // --fill first
        {{"--fill", "a=1", "--fill", "B:upper=x"}, "$A:upper! $a! $b:upper!", 0, "1 1 x"},
        {{"--rows", csv}, "[(x|m|n)] no fields", 0, "x\n no fields", "2 of 2 rows left unused"},
        {{"--type-map", badMap}, member, 1, "", "bad.tsv:2: "},
        {{"--rows", badRows}, member, 1, "", "bad.csv: line 2:"},
        {{"--rows", dir.filePath("none.csv")}, member, 1, "", "none.csv"},
        {{"--fill", "=x"}, member, 1, "", "--fill wants NAME=VALUE"},
        {{"--list", "--rows", csv}, member, 1, "", "need a template"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.arguments.join(' ') + " < " + c.input).toStdString());
        const ToolRun run = RunTool(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out.toStdString(), c.out.toStdString());
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    }
}
