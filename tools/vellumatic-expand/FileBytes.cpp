#include "FileBytes.h"

#include <cerrno>
#include <climits>
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

// The file a chain of symbolic links ends at, named so that it can be renamed over (the
// path itself when it is no link, also when nothing is there yet). A relative target is
// read from the link's directory. Empty and `*reason` set when a link cannot be read.
QByteArray FollowLinks(QByteArray path, int* reason)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(path.constData(), &info) != 0) {
            if (errno == ENOENT)
                return path;
            *reason = errno;
            return {};
        }
        if (!S_ISLNK(info.st_mode))
            return path;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (length < 0 || length >= target.size()) {
            *reason = length < 0 ? errno : ENAMETOOLONG;
            return {};
        }
        target.truncate(length);
        path = target.startsWith('/') ? target : DirectoryOf(path) + '/' + target;
    }
    *reason = ELOOP;
    return {};
}

// `path` is kept as given: the message names what the user named.
bool Refuse(const QByteArray& path, const QString& reason, QString* error)
{
    *error = QStringLiteral("cannot write %1: %2").arg(DisplayName(path), reason);
    return false;
}

// A FIFO or a device takes the bytes as they come; there is nothing to rename.
bool WriteInto(const QByteArray& path, const QByteArray& target, const QByteArray& bytes, QString* error)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Refuse(path, SystemReason(errno), error);
    const bool written = WriteAll(fd, bytes);
    const int reason = errno;
    const bool closed = ::close(fd) == 0;
    if (!written)
        return Refuse(path, SystemReason(reason), error);
    return closed || Refuse(path, SystemReason(errno), error);
}

bool ReplaceAtomically(const QByteArray& path, const QByteArray& target, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QByteArray& temporary, int reason) {
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
        return Refuse(path, SystemReason(reason), error);
    };

    QByteArray temporary = DirectoryOf(target) + "/.vellumatic-expand-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return fail({}, errno);
    struct stat existing;
    const mode_t mode = ::stat(target.constData(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int reason = errno;
        ::close(fd);
        return fail(temporary, reason);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), target.constData()) != 0)
        return fail(temporary, errno);
    return true;
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

bool WriteOutputFile(const QByteArray& path, const QByteArray& bytes, QString* error)
{
    int reason = 0;
    const QByteArray target = FollowLinks(path, &reason);
    if (target.isEmpty())
        return Refuse(path, SystemReason(reason), error);
    struct stat info;
    if (::stat(target.constData(), &info) != 0) {
        if (errno != ENOENT)
            return Refuse(path, SystemReason(errno), error);
        return ReplaceAtomically(path, target, bytes, error);
    }
    if (S_ISREG(info.st_mode))
        return ReplaceAtomically(path, target, bytes, error);
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return WriteInto(path, target, bytes, error);
    if (S_ISDIR(info.st_mode))
        return Refuse(path, QStringLiteral("it is a directory"), error);
    if (S_ISSOCK(info.st_mode))
        return Refuse(path, QStringLiteral("it is a socket"), error);
    return Refuse(path, QStringLiteral("it is not a regular file"), error);
}
