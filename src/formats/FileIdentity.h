// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

namespace vandrix {

// A file as the file system knows it: the same file under any spelling, through symlinks, hard
// links or bind mounts, has the same identity.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` (raw bytes) names, symlinks followed; nothing when there is
// no such file.
std::optional<FileIdentity> IdentityOf(const QByteArray& path);

// The identity of an open descriptor.
std::optional<FileIdentity> IdentityOf(int fd);

inline std::size_t qHash(const FileIdentity& id, std::size_t seed = 0) {
    return static_cast<std::size_t>(id.inode * 1000003ULL ^ id.device) ^ seed;
}

}  // namespace vandrix
