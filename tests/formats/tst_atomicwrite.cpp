// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadOnlyGuard.h"
#include "TestFiles.h"
#include "formats/AtomicWrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <memory>
#include <optional>

using namespace vandrix;

namespace {

// How the file is written: one of a batch, the second of a set after a file that can be
// written, or saved wherever possible.
enum class Mode { Batch, Set, Save };

// What is where the file goes, d/file.txt; an existing file holds `Old`.
enum class Place {
    Nothing,
    Directory,              // a directory by the file's name
    MissingDirectory,       // no d
    ReadOnlyDirectory,      // d takes no new file
    ReadOnlyDirectoryFile,  // a writable file in a d that takes no new file
    ImmutableFile,          // a file nobody may change or replace (root only)
    FullDisk,               // a file on a full disk, the new bytes as long as the old
    FullDiskGrowing,        // a file on a full disk, the new bytes pages longer
    FullDiskNoFile,         // a full disk and no file
    Link,                   // a symbolic link to a file in another directory
    PrivateFile,            // a file only its owner may read and write
    Pipe,                   // a named pipe nobody reads
    Device,                 // a character device that takes anything, as /dev/null (root only)
};

const QByteArray Old = "old\r\n";

// What is at `path`: "nothing", "directory", "link to ...", or a file's content ("old", "new"
// or "other") and permissions in octal.
QString describe(const QString& path, const QByteArray& written) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return QStringLiteral("link to ") + describe(info.symLinkTarget(), written);
    }
    if (info.isDir()) {
        return QStringLiteral("directory");
    }
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return QStringLiteral("nothing");
    }
    if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) {
        return S_ISFIFO(status.st_mode) ? QStringLiteral("pipe") : QStringLiteral("device");
    }
    const QByteArray bytes = testing::readAll(path);
    const char* content = bytes == written ? "new" : bytes == Old ? "old" : "other";
    return QStringLiteral("%1 %2").arg(QLatin1String(content)).arg(status.st_mode & 0777, 0, 8);
}

}  // namespace

Q_DECLARE_METATYPE(Mode)
Q_DECLARE_METATYPE(Place)

class TestAtomicWrite : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ::umask(022); }
    void everyWayOfWriting_data();
    void everyWayOfWriting();
};

void TestAtomicWrite::everyWayOfWriting_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<Place>("place");
    // The failure, "%1" for the file's path and "%denied" for what a read-only directory or
    // file answers; empty when it is written.
    QTest::addColumn<QString>("error");
    // What is at the file's path afterwards (see `describe`).
    QTest::addColumn<QString>("after");

    const auto row = [](const char* name, Mode mode, Place place, const char* error,
                        const char* after) {
        QTest::newRow(name) << mode << place << QString::fromLatin1(error)
                            << QString::fromLatin1(after);
    };
    using M = Mode;
    using P = Place;
    row("batch: new file", M::Batch, P::Nothing, "", "new 644");
    row("batch: a directory", M::Batch, P::Directory, "%1: Is a directory", "directory");
    row("batch: no directory", M::Batch, P::MissingDirectory, "%1: No such file or directory",
        "nothing");
    row("batch: read-only directory", M::Batch, P::ReadOnlyDirectory, "%1: %denied", "nothing");
    row("batch: file in a read-only directory", M::Batch, P::ReadOnlyDirectoryFile, "%1: %denied",
        "old 644");
    row("batch: immutable file", M::Batch, P::ImmutableFile, "%1: Operation not permitted",
        "old 644");
    row("batch: full disk", M::Batch, P::FullDisk, "%1: No space left on device", "old 644");
    row("batch: full disk, no file", M::Batch, P::FullDiskNoFile, "%1: No space left on device",
        "nothing");
    // The link itself is replaced, made as a new file is.
    row("batch: link", M::Batch, P::Link, "", "new 644");
    row("batch: private file", M::Batch, P::PrivateFile, "", "new 644");
    // Written into, never replaced: renaming over /dev/null would take it from everyone.
    row("batch: pipe nobody reads", M::Batch, P::Pipe, "%1: No such device or address", "pipe");
    row("batch: device", M::Batch, P::Device, "", "device");

    row("set: new files", M::Set, P::Nothing, "", "new 644");
    row("set: a directory", M::Set, P::Directory, "%1: Filename refers to a directory",
        "directory");
    row("set: no directory", M::Set, P::MissingDirectory, "%1: No such file or directory",
        "nothing");
    row("set: read-only directory", M::Set, P::ReadOnlyDirectory, "%1: %denied", "nothing");
    row("set: file in a read-only directory", M::Set, P::ReadOnlyDirectoryFile, "%1: %denied",
        "old 644");
    row("set: immutable file", M::Set, P::ImmutableFile, "%1: Existing file %1 is not writable",
        "old 644");
    row("set: full disk", M::Set, P::FullDisk, "%1: No space left on device", "old 644");
    row("set: full disk, no file", M::Set, P::FullDiskNoFile, "%1: No space left on device",
        "nothing");
    // Written through the link, keeping the permissions of what it replaces.
    row("set: link", M::Set, P::Link, "", "link to new 644");
    row("set: private file", M::Set, P::PrivateFile, "", "new 600");
    row("set: pipe", M::Set, P::Pipe, "%1: not a regular file", "pipe");

    row("save: new file", M::Save, P::Nothing, "", "new 644");
    row("save: a directory", M::Save, P::Directory, "Cannot write file %1: Is a directory",
        "directory");
    row("save: no directory", M::Save, P::MissingDirectory,
        "Cannot write file %1: No such file or directory", "nothing");
    row("save: read-only directory", M::Save, P::ReadOnlyDirectory, "Cannot write file %1: %denied",
        "nothing");
    // Rewritten in place, the same file.
    row("save: file in a read-only directory", M::Save, P::ReadOnlyDirectoryFile, "", "new 644");
    row("save: immutable file", M::Save, P::ImmutableFile,
        "Cannot write file %1: Operation not permitted", "old 644");
    row("save: full disk", M::Save, P::FullDisk, "", "new 644");
    row("save: full disk, growing file", M::Save, P::FullDiskGrowing,
        "Cannot write file %1: No space left on device", "old 644");
    row("save: full disk, no file", M::Save, P::FullDiskNoFile,
        "Cannot write file %1: No space left on device", "nothing");
    row("save: link", M::Save, P::Link, "", "link to new 644");
    row("save: private file", M::Save, P::PrivateFile, "", "new 600");
    row("save: pipe", M::Save, P::Pipe, "Cannot write file %1: not a regular file", "pipe");
    row("save: device", M::Save, P::Device, "Cannot write file %1: not a regular file", "device");
}

void TestAtomicWrite::everyWayOfWriting() {
    QFETCH(Mode, mode);
    QFETCH(Place, place);
    QFETCH(QString, error);
    QFETCH(QString, after);
    const bool root = ::geteuid() == 0;
    const bool fullDisk = place == Place::FullDisk || place == Place::FullDiskGrowing ||
                          place == Place::FullDiskNoFile;
    if ((fullDisk || place == Place::ImmutableFile || place == Place::Device) && !root) {
        QSKIP("a small tmpfs, the immutable attribute and a device node need root");
    }
    QTemporaryDir top;
    const QDir dir(top.path());
    const QString path = dir.filePath(QStringLiteral("d/file.txt"));
    const QString companion = dir.filePath(QStringLiteral("companion.txt"));
    if (place != Place::MissingDirectory) {
        QVERIFY(dir.mkdir(QStringLiteral("d")));
    }
    const QByteArray mountPoint = QFile::encodeName(dir.filePath(QStringLiteral("d")));
    // A small disk of three pages: one for the file, the rest filled up.
    const qsizetype page = ::sysconf(_SC_PAGESIZE);
    const QByteArray size = "size=" + QByteArray::number(3 * page);
    if (fullDisk && ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, size.constData()) != 0) {
        QSKIP("this system refuses to mount a tmpfs here");
    }
    const auto unmount = qScopeGuard([&] {
        if (fullDisk) {
            ::umount(mountPoint.constData());
        }
    });
    const bool existing = place == Place::ReadOnlyDirectoryFile || place == Place::ImmutableFile ||
                          place == Place::FullDisk || place == Place::FullDiskGrowing ||
                          place == Place::PrivateFile;
    if (existing) {
        QVERIFY(testing::writeFile(path, Old));
    }
    if (fullDisk) {
        // Stops short once the disk is full.
        testing::writeFile(dir.filePath(QStringLiteral("d/filler")), QByteArray(3 * page, 'f'));
    }
    if (place == Place::Directory) {
        QVERIFY(dir.mkdir(QStringLiteral("d/file.txt")));
    }
    if (place == Place::Pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    }
    if (place == Place::Device &&
        ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        QSKIP("this system refuses to make a device node here");
    }
    if (place == Place::PrivateFile) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }
    if (place == Place::Link) {
        QVERIFY(dir.mkdir(QStringLiteral("elsewhere")));
        QVERIFY(testing::writeFile(dir.filePath(QStringLiteral("elsewhere/real.txt")), Old));
        QVERIFY(QFile::link(QStringLiteral("../elsewhere/real.txt"), path));
    }
    std::optional<testing::ReadOnlyGuard> readOnly;
    if (place == Place::ReadOnlyDirectory || place == Place::ReadOnlyDirectoryFile) {
        readOnly.emplace(dir.filePath(QStringLiteral("d")));
    } else if (place == Place::ImmutableFile) {
        readOnly.emplace(path);
    }
    if (readOnly && !readOnly->active()) {
        QSKIP("this file system cannot make a file or directory read-only");
    }

    const QByteArray bytes =
        place == Place::FullDiskGrowing ? QByteArray(3 * page, 'n') : QByteArray("new\n");
    Status status = Status::success();
    switch (mode) {
        case Mode::Batch:
            status = WriteBatchFile(path, bytes);
            break;
        case Mode::Set:
            status = WriteFileSet({{companion, bytes}, {path, bytes}});
            break;
        case Mode::Save:
            status = SaveFileWherePossible(path, bytes);
            break;
    }

    const QString denied =
        root ? QStringLiteral("Operation not permitted") : QStringLiteral("Permission denied");
    QCOMPARE(status.error(), QString(error)
                                 .replace(QLatin1String("%denied"), denied)
                                 .replace(QLatin1String("%1"), path));
    QCOMPARE(describe(path, bytes), after);
    // No temporary file stays.
    QDirIterator files(top.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString name = files.next();
        QVERIFY2(!name.endsWith(QLatin1String(".part")), qPrintable(name));
    }
    // A set is written whole or not at all.
    if (mode == Mode::Set) {
        QCOMPARE(QFile::exists(companion), status.ok());
    }
}

QTEST_GUILESS_MAIN(TestAtomicWrite)
#include "tst_atomicwrite.moc"
