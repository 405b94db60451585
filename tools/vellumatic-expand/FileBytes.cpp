#include "FileBytes.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

QByteArray DirectoryOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString DisplayName(const QByteArray& path)
{
    return QString::fromLocal8Bit(path);
}

QByteArray ReadAllBytes(const QByteArray& path, QString* error)
{
    const bool fromStdin = path.isEmpty() || path == "-";
    const QString name = fromStdin ? QStringLiteral("standard input") : DisplayName(path);
    const int fd = fromStdin ? STDIN_FILENO : ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = QStringLiteral("cannot read %1: %2").arg(name, SystemReason(errno));
        return {};
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = QStringLiteral("cannot read %1: %2").arg(name, SystemReason(errno));
            if (!fromStdin)
                ::close(fd);
            return {};
        }
        bytes.append(buffer, got);
    }
    if (!fromStdin)
        ::close(fd);
    return bytes;
}

bool WriteToStandardOutput(const QByteArray& bytes, QString* error)
{
    if (WriteAll(STDOUT_FILENO, bytes))
        return true;
    *error = QStringLiteral("cannot write the output: %1").arg(SystemReason(errno));
    return false;
}

bool WriteFileAtomically(const QByteArray& path, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QByteArray& temporary, int reason) {
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
        *error = QStringLiteral("cannot write %1: %2").arg(DisplayName(path), SystemReason(reason));
        return false;
    };

    QByteArray temporary = DirectoryOf(path) + "/.vellumatic-expand-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return fail({}, errno);
    struct stat existing;
    const mode_t mode = ::stat(path.constData(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int reason = errno;
        ::close(fd);
        return fail(temporary, reason);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), path.constData()) != 0)
        return fail(temporary, errno);
    return true;
}
