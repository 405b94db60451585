#include "CapturedFailures.h"
#include "DamagedTableFiles.h"
#include "DataStore.h"
#include "TempAppFolder.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

qsizetype AddressSpaceInUse()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// Reads the table in a child process whose address space may grow by at most `room` bytes.
// The exit code says what happened: 0 read, 1 refused with a message, 2 refused silently, 4 out
// of memory.
int ReadWithin(const QString& folder, qsizetype room)
{
    const pid_t child = fork();
    if (child == 0) {
        CapturedFailures failures;
        DataStore store(folder);
        const rlimit limit{rlim_t(AddressSpaceInUse() + room), RLIM_INFINITY};
        if (limit.rlim_cur <= rlim_t(room) || setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(3);
        try {
            const bool read = store.readTable(QStringLiteral("Data\\Values.app")).has_value();
            _exit(read ? 0 : failures.texts.size() == 1 && failures.texts[0].startsWith("GetRecordset: ") ? 1 : 2);
        } catch (...) { // out of memory; the test framework must not go on in the child
            _exit(4);
        }
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

// However a 4 MB table file is shaped, reading it takes at most 20 times its size plus 50 MB of
// address space, and a file that cannot be read so is refused with a message.
TEST(TableMemory, EveryShapeIsReadOrRefusedWithAMessageWithinTwentyTimesTheFileSize)
{
    constexpr qsizetype size = 4 * 1024 * 1024;
    for (const DamagedTableFile& damaged : DamagedTableFiles(size)) {
        TempAppFolder folder;
        folder.writeDataFile("Values.app", damaged.bytes);
        EXPECT_EQ(ReadWithin(folder.path(), 20 * damaged.bytes.size() + 50 * 1024 * 1024), damaged.readable ? 0 : 1)
            << damaged.shape.toStdString();
    }
}
