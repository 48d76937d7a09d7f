// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputFile.h"

#include "model/PathBytes.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vandrix {

namespace {

// Whether the descriptor may be read under `fifo`; it is closed when not.
Status check(int fd, FifoRule fifo) {
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Status::failure(ErrnoText(error));
    }
    const bool regular = S_ISREG(info.st_mode);
    const bool pipe = S_ISFIFO(info.st_mode);
    if (!regular && !(pipe && fifo == FifoRule::Allow)) {
        ::close(fd);
        return Status::failure(NotRegularFileReason());
    }
    if (pipe) {
        // Opened without blocking so that a pipe with no writer did not hold up the open; reads
        // wait for a writer that is there, and see the end when there is none.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
            const int error = errno;
            ::close(fd);
            return Status::failure(ErrnoText(error));
        }
    }
    return Status::success();
}

}  // namespace

QString NotRegularFileReason() {
    return QStringLiteral("not a regular file");
}

QString ErrnoText(int error) {
    char buffer[256] = {};
    // The GNU strerror_r: the text may or may not be in the buffer.
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

Result<int> OpenInputDescriptor(const QByteArray& path, FifoRule fifo) {
    if (path.isEmpty() || path.contains('\0')) {
        return Result<int>::failure(ErrnoText(ENOENT));
    }
    int fd = -1;
    do {
        fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // A socket cannot be opened at all (ENXIO): what is not a regular file is named so
        // whatever open said.
        const int error = errno;
        struct stat info = {};
        if (::stat(path.constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
            !(S_ISFIFO(info.st_mode) && fifo == FifoRule::Allow)) {
            return Result<int>::failure(NotRegularFileReason());
        }
        return Result<int>::failure(ErrnoText(error));
    }
    const Status checked = check(fd, fifo);
    return checked ? Result<int>::success(fd) : Result<int>::failure(checked.error());
}

Result<int> CheckedDuplicate(int fd, FifoRule fifo) {
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return Result<int>::failure(ErrnoText(errno));
    }
    const Status checked = check(copy, fifo);
    return checked ? Result<int>::success(copy) : Result<int>::failure(checked.error());
}

Status OpenInput(QFile& file, const QByteArray& path, FifoRule fifo) {
    const Result<int> fd = OpenInputDescriptor(path, fifo);
    if (!fd) {
        return Status::failure(fd.error());
    }
    if (!file.open(fd.value(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd.value());
        return Status::failure(file.errorString());
    }
    return Status::success();
}

Status OpenInput(QFile& file, const QString& path, FifoRule fifo) {
    return OpenInput(file, PathBytes(path), fifo);
}

Result<QByteArray> ReadDescriptor(int fd, qint64 limit) {
    QByteArray bytes;
    constexpr qint64 Chunk = qint64{64} * 1024;
    while (bytes.size() < limit) {
        const qsizetype start = bytes.size();
        bytes.resize(start + static_cast<qsizetype>(std::min(Chunk, limit - start)));
        const ssize_t n =
            ::read(fd, bytes.data() + start, static_cast<size_t>(bytes.size() - start));
        if (n < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (n < 0 && errno == EAGAIN) {
            // A descriptor someone else made non-blocking: wait for data or the writer's end.
            bytes.resize(start);
            pollfd ready = {fd, POLLIN, 0};
            if (::poll(&ready, 1, -1) < 0 && errno != EINTR) {
                return Result<QByteArray>::failure(ErrnoText(errno));
            }
            continue;
        }
        if (n < 0) {
            return Result<QByteArray>::failure(ErrnoText(errno));
        }
        bytes.resize(start + n);
        if (n == 0) {
            break;
        }
    }
    return Result<QByteArray>::success(std::move(bytes));
}

Result<QByteArray> ReadInputFile(const QByteArray& path, FifoRule fifo, qint64 limit) {
    const Result<int> fd = OpenInputDescriptor(path, fifo);
    if (!fd) {
        return Result<QByteArray>::failure(fd.error());
    }
    Result<QByteArray> bytes = ReadDescriptor(fd.value(), limit);
    ::close(fd.value());
    return bytes;
}

}  // namespace vandrix
