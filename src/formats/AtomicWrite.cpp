// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicWrite.h"

#include "InputFile.h"
#include "TempFiles.h"
#include "model/FileMessages.h"
#include "model/PathBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>

namespace vandrix {

namespace {

// Where a file goes, and the permissions it keeps from the file it replaces; without them it
// is made as a new file would be.
struct Target {
    QString path;
    std::optional<QFile::Permissions> permissions;
};

// Writes all of `bytes` from the file's offset with write(2) itself, so that a disk that fills
// up half-way is named by its own error (QFile reports a short write as an unknown error, and a
// buffered one's error can be lost when the file is closed).
Status writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Status::failure(ErrnoText(errno));
        }
        done += n;
    }
    return Status::success();
}

// A file written under a temporary name beside its target and renamed over it once complete.
class PartFile {
public:
    PartFile() = default;
    Q_DISABLE_COPY_MOVE(PartFile)
    ~PartFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!renamed_ && !temporary_.isEmpty()) {
            ::unlink(temporary_.constData());
        }
        TempFileRegistry::remove(slot_);
    }

    Status create(const Target& target) {
        static std::atomic<unsigned> counter{0};
        target_ = target.path;
        const QFileInfo info(target.path);
        // Unreadable to others until it has the permissions it keeps.
        const mode_t mode = target.permissions ? 0600 : 0666;
        const TempFileRegistry::Creation creation;
        int error = EINTR;  // the process is ending
        for (int attempt = 0; creation.allowed() && attempt < 100; ++attempt) {
            const QString name = info.dir().filePath(
                QStringLiteral(".%1.%2-%3.part")
                    .arg(info.fileName(), QString::number(QCoreApplication::applicationPid()),
                         QString::number(counter++)));
            const QByteArray bytes = PathBytes(name);
            slot_ = TempFileRegistry::add(bytes);
            if (slot_ < 0) {
                error = ENAMETOOLONG;
                break;
            }
            fd_ =
                ::open(bytes.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
            if (fd_ >= 0) {
                temporary_ = bytes;
                if (target.permissions) {
                    QFile::setPermissions(name, *target.permissions);
                }
                return Status::success();
            }
            error = errno;
            TempFileRegistry::remove(slot_);
            slot_ = -1;
            if (error != EEXIST) {
                break;
            }
        }
        return Status::failure(ErrnoText(error));
    }

    Status write(const QByteArray& bytes) const { return writeAll(fd_, bytes); }

    // Closes the file, its data forced to disk first when `sync`.
    Status close(bool sync) {
        const int synced = sync ? ::fsync(fd_) : 0;
        const int syncError = errno;
        const int closed = ::close(fd_);
        const int closeError = errno;
        fd_ = -1;
        if (synced != 0) {
            return Status::failure(ErrnoText(syncError));
        }
        return closed == 0 ? Status::success() : Status::failure(ErrnoText(closeError));
    }

    Status rename() {
        if (std::rename(temporary_.constData(), PathBytes(target_).constData()) != 0) {
            return Status::failure(ErrnoText(errno));
        }
        renamed_ = true;
        return Status::success();
    }

private:
    QString target_;
    QByteArray temporary_;
    int fd_ = -1;
    int slot_ = -1;
    bool renamed_ = false;
};

// Writes the whole temporary file of `target`, closed and, when `sync`, on disk.
Status writePart(PartFile& part, const Target& target, const QByteArray& bytes, bool sync) {
    Status status = part.create(target);
    if (status) {
        status = part.write(bytes);
    }
    if (status) {
        status = part.close(sync);
    }
    return status;
}

Status replace(const Target& target, const QByteArray& bytes, bool sync) {
    PartFile part;
    const Status written = writePart(part, target, bytes, sync);
    return written ? part.rename() : written;
}

// What stands at a path, not following a symbolic link at its end.
enum class Standing { Nothing, RegularOrLink, Directory, Stream, Other };

Standing standingAt(const QString& path, bool followLinks) {
    struct stat info = {};
    const QByteArray bytes = PathBytes(path);
    if ((followLinks ? ::stat(bytes.constData(), &info) : ::lstat(bytes.constData(), &info)) != 0) {
        return Standing::Nothing;
    }
    if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) {
        return Standing::RegularOrLink;
    }
    if (S_ISDIR(info.st_mode)) {
        return Standing::Directory;
    }
    return S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) ? Standing::Stream : Standing::Other;
}

// Writes into a device or a pipe that stands at `path` (/dev/null, a pipe someone reads) instead
// of replacing it: renaming a file over /dev/null would take the device away from everyone.
Status writeInto(const QString& path, const QByteArray& bytes) {
    const int fd =
        ::open(PathBytes(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return Status::failure(ErrnoText(errno));
    }
    // Blocking again, so that a reader that is slower than this write is waited for.
    const int flags = ::fcntl(fd, F_GETFL);
    Status written = flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1
                         ? Status::failure(ErrnoText(errno))
                         : writeAll(fd, bytes);
    if (::close(fd) != 0 && written) {
        written = Status::failure(ErrnoText(errno));
    }
    return written;
}

// The target of a file that keeps what it replaces: never a read-only file or a directory, the
// file a symbolic link names (a chain of links that does not end is replaced itself), with the
// old file's permissions.
Result<Target> keptTarget(const QString& path) {
    if (const Standing standing = standingAt(path, true);
        standing == Standing::Stream || standing == Standing::Other) {
        return Result<Target>::failure(NotRegularFileReason());
    }
    QFileInfo existing(path);
    if (existing.exists() && !existing.isWritable()) {
        return Result<Target>::failure(
            QStringLiteral("Existing file %1 is not writable").arg(path));
    }
    if (existing.isDir()) {
        return Result<Target>::failure(QStringLiteral("Filename refers to a directory"));
    }
    Target target{path, std::nullopt};
    if (existing.isSymLink()) {
        int depth = 128;
        while (--depth > 0 && existing.isSymLink()) {
            existing.setFile(existing.symLinkTarget());
        }
        if (depth > 0) {
            target.path = existing.filePath();
        }
    }
    if (existing.exists()) {
        target.permissions = existing.permissions();
    }
    return Result<Target>::success(std::move(target));
}

Status replaceKept(const QString& path, const QByteArray& bytes) {
    const Result<Target> target = keptTarget(path);
    return target ? replace(target.value(), bytes, true) : Status::failure(target.error());
}

// Rewrites the existing file, for a directory that takes no new file. The new bytes go over the
// old ones before the file is cut to length, so a failing write can put the old bytes back.
Status writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly)) {
        return Status::failure(file.errorString());
    }
    const QByteArray old = file.readAll();
    const int fd = file.handle();
    const auto put = [fd](const QByteArray& content) {
        Status status = ::lseek(fd, 0, SEEK_SET) == 0 ? writeAll(fd, content)
                                                      : Status::failure(ErrnoText(errno));
        if (status && ::ftruncate(fd, content.size()) != 0) {
            status = Status::failure(ErrnoText(errno));
        }
        return status;
    };
    Status written = put(bytes);
    if (written && ::fsync(fd) != 0) {
        written = Status::failure(ErrnoText(errno));
    }
    if (!written) {
        put(old);
    }
    return written;
}

QString reportLine(const QString& path, const Status& status) {
    return path + QStringLiteral(": ") + status.error();
}

}  // namespace

Status WriteBatchFile(const QString& path, const QByteArray& bytes) {
    const Standing standing = standingAt(path, false);
    const Status written = standing == Standing::Stream ? writeInto(path, bytes)
                           : standing == Standing::Other
                               ? Status::failure(NotRegularFileReason())
                               : replace({path, std::nullopt}, bytes, false);
    return written ? written : Status::failure(reportLine(path, written));
}

Status WriteFileSet(const std::vector<FileBytes>& files) {
    std::vector<std::unique_ptr<PartFile>> parts;
    for (const FileBytes& file : files) {
        const Result<Target> target = keptTarget(file.path);
        const Status written = target ? writePart(*parts.emplace_back(std::make_unique<PartFile>()),
                                                  target.value(), file.bytes, true)
                                      : Status::failure(target.error());
        if (!written) {
            return Status::failure(reportLine(file.path, written));
        }
    }
    QStringList lines;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (const Status renamed = parts[i]->rename(); !renamed) {
            lines << reportLine(files[i].path, renamed);
        }
    }
    return lines.isEmpty() ? Status::success() : Status::failure(lines);
}

Status SaveFileWherePossible(const QString& path, const QByteArray& bytes) {
    const QFileInfo existing(path);
    Status saved = replaceKept(path, bytes);
    // What is not a regular file (a pipe would never end a read) is left alone.
    const Standing standing = standingAt(path, true);
    const bool regular = standing != Standing::Stream && standing != Standing::Other;
    if (!saved && regular && existing.exists() && !existing.isWritable()) {
        saved = replace({path, std::nullopt}, bytes, true);
    }
    if (!saved && regular && existing.exists()) {
        saved = writeInPlace(path, bytes);
    }
    return saved ? saved
                 : Status::failure(
                       CannotWriteDescription(existing.absoluteFilePath(), saved.error()));
}

}  // namespace vandrix
