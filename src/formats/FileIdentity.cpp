// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIdentity.h"

#include <sys/stat.h>

namespace vandrix {

namespace {

FileIdentity identity(const struct stat& info) {
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino)};
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const QByteArray& path) {
    struct stat info = {};
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0) {
        return std::nullopt;
    }
    return identity(info);
}

std::optional<FileIdentity> IdentityOf(int fd) {
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        return std::nullopt;
    }
    return identity(info);
}

}  // namespace vandrix
