// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vandrix {

// Files written so that their names never hold a partial file: each is written whole under a
// temporary name beside it, ".NAME.PID-N.part", and then renamed over it. The temporary file is
// registered with TempFileRegistry, so that a termination signal removes it once
// InstallTempFileCleanup has run. Reasons are the operating system's own words.

// One file of a batch of outputs that can be made again. The data is not forced to disk: that
// costs tens of milliseconds a file, which a batch of hundreds of pictures should not pay.
// Whatever file is at `path` is replaced by a file made as a new one would be (its mode from the
// umask), a symbolic link itself included; a character device or a named pipe there (/dev/null,
// a pipe someone reads) is written into, never replaced, and a socket or block device refused.
// Fails with "PATH: reason".
Status WriteBatchFile(const QString& path, const QByteArray& bytes);

// One file of a set written by WriteFileSet.
struct FileBytes {
    QString path;
    QByteArray bytes;
};

// A set of files, all or nothing: every file is complete and on disk under its temporary name
// before the first takes its own, so a full disk or a directory that refuses files leaves none
// of them behind. An existing file is replaced through a symbolic link to it and keeps its
// permissions; a read-only file, a directory or anything else that is not a regular file is not
// replaced. Fails with "PATH: reason" for
// the file that stopped the set, or one such line for each file that could not take its name.
Status WriteFileSet(const std::vector<FileBytes>& files);

// A file that is saved wherever the directory or the file allows, such as settings kept in a
// shared program directory, by the first way that works: as one file of a set (see
// WriteFileSet); for a read-only file in a writable directory, a new file made as a new one
// would be and renamed over it; else, when the directory takes no new file, the existing file
// rewritten in place, its old bytes put back when that fails. When none works, the old file is
// left whole. Fails with "Cannot write file ABSOLUTE-PATH: reason", the last way's reason.
Status SaveFileWherePossible(const QString& path, const QByteArray& bytes);

}  // namespace vandrix
