// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace vandrix {

// Whether a named pipe is an input. Where nothing else may write the file (the viewer, Set.txt,
// Language.txt) it is refused like a device; the export reads pipes (`<(...)`, /dev/stdin).
enum class FifoRule { Refuse, Allow };

// The one reason given for a directory, socket, device or refused pipe.
QString NotRegularFileReason();

// The operating system's own text for an errno value ("No space left on device").
QString ErrnoText(int error);

// Opens `path` (its raw bytes) for reading without blocking on a pipe that has no writer, and
// refuses what is not a regular file (pipes by `fifo`) before anything is read. A pipe is left
// blocking for reads, so a slow writer is waited for and a missing one is an empty input.
// The descriptor, owned by the caller, or why not.
Result<int> OpenInputDescriptor(const QByteArray& path, FifoRule fifo);

// The same checks on a descriptor already open (standard input); gives a duplicate of it.
Result<int> CheckedDuplicate(int fd, FifoRule fifo);

// OpenInputDescriptor into a QFile, which then owns the descriptor.
Status OpenInput(QFile& file, const QByteArray& path, FifoRule fifo);
Status OpenInput(QFile& file, const QString& path, FifoRule fifo);

// At most `limit` bytes of the input, read to its end or the limit; the descriptor stays open.
Result<QByteArray> ReadDescriptor(int fd, qint64 limit);

// Opens, checks and reads at most `limit` bytes of `path`.
Result<QByteArray> ReadInputFile(const QByteArray& path, FifoRule fifo, qint64 limit);

}  // namespace vandrix
