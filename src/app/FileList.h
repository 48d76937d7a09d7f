#pragma once

#include <QString>
#include <QStringList>

namespace vandrix {

// A directory the program looks at: where it starts (the current directory), a new one it can
// be pointed to, and the names of the ordinary files in it.
class FileList {
public:
    FileList() = default;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;
    FileList(FileList&&) = delete;
    FileList& operator=(FileList&&) = delete;
    virtual ~FileList() = default;

    virtual QString path() const = 0;
    // False when the path is not an existing directory; the current path then stays.
    virtual bool setPath(const QString& path) = 0;
    virtual QStringList fileNames() const = 0;
};

}  // namespace vandrix
