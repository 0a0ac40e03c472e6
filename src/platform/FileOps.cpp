#include "FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops {

namespace {

struct FaultState {
    int steps = 0;
    int failStep = 0;
    bool failLater = false;
    int stepError = 0;
    std::int64_t bytesLeft = -1;   // -1: no limit
    int bytesError = 0;
};

FaultState Faults;

// Counts one step; false (errno set) when the test hook makes it fail.
bool stepAllowed()
{
    const int step = ++Faults.steps;
    if (Faults.failStep > 0
        && (step == Faults.failStep || (Faults.failLater && step > Faults.failStep))) {
        errno = Faults.stepError;
        return false;
    }
    return true;
}

// How many of size bytes the hook lets through.
std::size_t bytesAllowed(std::size_t size)
{
    if (Faults.bytesLeft < 0 || std::int64_t(size) <= Faults.bytesLeft)
        return size;
    return std::size_t(Faults.bytesLeft);
}

void countBytes(std::size_t size)
{
    if (Faults.bytesLeft >= 0)
        Faults.bytesLeft -= std::int64_t(size);
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Writes with write or pwrite until every byte is out; a short write is
// retried, as the system may stop early without an error.
template <typename WriteFn> bool writeLoop(const char *data, std::size_t size, WriteFn write)
{
    if (!stepAllowed())
        return false;
    const std::size_t allowed = bytesAllowed(size);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = write(data + done, allowed - done, done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            countBytes(done);
            return false;
        }
        if (n == 0) {
            countBytes(done);
            errno = EIO;
            return false;
        }
        done += std::size_t(n);
    }
    countBytes(done);
    if (done < size) {
        errno = Faults.bytesError;
        return false;
    }
    return true;
}

} // namespace

int createNew(const QString &path)
{
    if (!stepAllowed())
        return -1;
    const QByteArray name = native(path);
    if (::unlink(name.constData()) != 0 && errno != ENOENT)
        return -1;
    int fd;
    do {
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool writeAll(int fd, const char *data, std::size_t size)
{
    return writeLoop(data, size, [fd](const char *p, std::size_t n, std::size_t) {
        return ::write(fd, p, n);
    });
}

bool writeAt(int fd, std::int64_t offset, const char *data, std::size_t size)
{
    return writeLoop(data, size, [fd, offset](const char *p, std::size_t n, std::size_t done) {
        return ::pwrite(fd, p, n, off_t(offset + std::int64_t(done)));
    });
}

bool sync(int fd)
{
    if (!stepAllowed())
        return false;
#if defined(__APPLE__)
    return ::fsync(fd) == 0;
#else
    return ::fdatasync(fd) == 0;
#endif
}

bool close(int fd)
{
    if (!stepAllowed()) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    // After an interrupted close the descriptor is gone all the same on
    // Linux; retrying could close another file's.
    return ::close(fd) == 0 || errno == EINTR;
}

bool rename(const QString &from, const QString &to)
{
    if (!stepAllowed())
        return false;
    return ::rename(native(from).constData(), native(to).constData()) == 0;
}

bool remove(const QString &path)
{
    if (!stepAllowed())
        return false;
    const QByteArray name = native(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode))
        return false;
    return ::unlink(name.constData()) == 0 || errno == ENOENT;
}

bool syncFolder(const QString &path)
{
    if (!stepAllowed())
        return false;
    QString folder = QFileInfo(path).path();
    if (folder.isEmpty())
        folder = QStringLiteral(".");
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

bool linksOutsideItsFolder(const QString &path)
{
    const QFileInfo link(path);
    if (!link.isSymLink())
        return false;
    const QString target = link.canonicalFilePath();
    const QString folder = QDir(link.absolutePath()).canonicalPath();
    if (target.isEmpty() || folder.isEmpty())
        return true;
    const QString inside = folder.endsWith(u'/') ? folder : folder + u'/';
    return !target.startsWith(inside);
}

namespace faults {

void failStep(int step, int error, bool allLater)
{
    Faults.steps = 0;
    Faults.failStep = step;
    Faults.stepError = error;
    Faults.failLater = allLater;
}

void failAfterBytes(std::int64_t bytes, int error)
{
    Faults.bytesLeft = bytes < 0 ? 0 : bytes;
    Faults.bytesError = error;
}

void clear()
{
    Faults = FaultState{};
}

int steps()
{
    return Faults.steps;
}

} // namespace faults

} // namespace fileops
