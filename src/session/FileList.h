// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QString>

namespace vandrix {

// A directory the program looks at: where it starts (the current directory), a new one it can
// be pointed to, and whether an ordinary file of a given name is in it.
class FileList {
public:
    FileList();
    Q_DISABLE_COPY_MOVE(FileList)
    virtual ~FileList() = default;

    QString path() const { return path_; }
    // Fails when the path is not an existing directory; the current path then stays.
    Status setPath(const QString& path);
    // Whether the directory holds an ordinary file of exactly this name, without listing it.
    bool holdsFile(const QString& name) const { return DirectoryHoldsFile(path_, name); }

    // Whether the ordinary files of `dir` (hidden ones left out, as in a listing) include one
    // named exactly `name`, letter case included. Costs a few lookups, whatever the size of
    // the directory.
    static bool DirectoryHoldsFile(const QString& dir, const QString& name);

private:
    QString path_;
};

}  // namespace vandrix
