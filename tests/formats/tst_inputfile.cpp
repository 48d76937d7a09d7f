// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"
#include "TestFiles.h"
#include "formats/FileIdentity.h"
#include "formats/InputFile.h"
#include "model/PathBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>

using namespace vandrix;
using vandrix::testing::RunInChild;

namespace {

// A listening Unix socket at `path`; its descriptor (kept open by the caller) or -1.
int makeSocket(const QByteArray& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return -1;
    }
    return fd;
}

}  // namespace

// Opening a path for reading: what is refused before any read, how pipes end, the OS's words.
class TestInputFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusals_data();
    void refusals();
    void pipes_data();
    void pipes();
    void operatingSystemWords_data();
    void operatingSystemWords();
    void rawNames();
    void identity_data();
    void identity();

private:
    QByteArray path(const char* name) const {
        return QFile::encodeName(dir_->filePath(QLatin1String(name)));
    }
    std::unique_ptr<QTemporaryDir> dir_;
    int socket_ = -1;
};

void TestInputFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testing::writeFile(dir_->filePath(QStringLiteral("plain")), "abc\n"));
    QVERIFY(testing::writeFile(dir_->filePath(QStringLiteral("empty")), {}));
    QCOMPARE(::mkfifo(path("fifo").constData(), 0600), 0);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("dir")));
    socket_ = makeSocket(path("socket"));
    QVERIFY(socket_ >= 0);
}

void TestInputFile::cleanup() {
    ::close(socket_);
    dir_.reset();
}

// Every open runs in a child: a FIFO without a writer must not hold it up.
void TestInputFile::refusals_data() {
    QTest::addColumn<QByteArray>("name");  // in the test's directory unless absolute
    QTest::addColumn<bool>("fifoAllowed");
    QTest::addColumn<QString>("reason");  // empty: opens and reads
    QTest::addColumn<QByteArray>("bytes");
    const QString notRegular = NotRegularFileReason();
    QTest::newRow("regular file") << QByteArray("plain") << false << QString()
                                  << QByteArray("abc\n");
    QTest::newRow("empty file") << QByteArray("empty") << false << QString() << QByteArray();
    QTest::newRow("FIFO, refused") << QByteArray("fifo") << false << notRegular << QByteArray();
    QTest::newRow("FIFO without writer, allowed: empty input")
        << QByteArray("fifo") << true << QString() << QByteArray();
    QTest::newRow("socket") << QByteArray("socket") << true << notRegular << QByteArray();
    QTest::newRow("directory") << QByteArray("dir") << true << notRegular << QByteArray();
    QTest::newRow("/dev/zero") << QByteArray("/dev/zero") << true << notRegular << QByteArray();
    QTest::newRow("/dev/urandom") << QByteArray("/dev/urandom") << true << notRegular
                                  << QByteArray();
    QTest::newRow("/dev/null") << QByteArray("/dev/null") << true << notRegular << QByteArray();
    QTest::newRow("missing") << QByteArray("missing") << true
                             << QStringLiteral("No such file or directory") << QByteArray();
}

void TestInputFile::refusals() {
    QFETCH(QByteArray, name);
    QFETCH(bool, fifoAllowed);
    QFETCH(QString, reason);
    QFETCH(QByteArray, bytes);
    const QByteArray full = name.startsWith('/') ? name : path(name.constData());
    const FifoRule rule = fifoAllowed ? FifoRule::Allow : FifoRule::Refuse;
    const testing::ToolRun child = RunInChild([&] {
        const Result<QByteArray> read = ReadInputFile(full, rule, 1024);
        if (reason.isEmpty()) {
            return read && read.value() == bytes ? 0 : 1;
        }
        return !read && read.error() == reason ? 0 : 2;
    });
    QCOMPARE(child.exitCode, 0);
    // The QFile form gives the same answer.
    QFile file;
    if (!(fifoAllowed && name == "fifo")) {
        QCOMPARE(OpenInput(file, full, rule).error(), reason);
    }
}

void TestInputFile::pipes_data() {
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("all of it") << QByteArray("0123456789") << qint64{100}
                               << QByteArray("0123456789");
    QTest::newRow("up to the limit") << QByteArray("0123456789") << qint64{4} << QByteArray("0123");
    QTest::newRow("nothing written") << QByteArray() << qint64{100} << QByteArray();
    QTest::newRow("more than one chunk")
        << QByteArray(200000, 'x') << qint64{300000} << QByteArray(200000, 'x');
}

// A FIFO read while a writer, opened later and slow, writes and then closes.
void TestInputFile::pipes() {
    QFETCH(QByteArray, written);
    QFETCH(qint64, limit);
    QFETCH(QByteArray, expected);
    const QByteArray fifo = path("fifo");
    const testing::ToolRun child = RunInChild([&] {
        const Result<int> fd = OpenInputDescriptor(fifo, FifoRule::Allow);
        if (!fd) {
            return 1;
        }
        const pid_t writer = ::fork();
        if (writer == 0) {
            const int out = ::open(fifo.constData(), O_WRONLY);
            ::usleep(100000);
            qsizetype done = 0;
            while (done < written.size()) {
                const ssize_t n = ::write(out, written.constData() + done,
                                          static_cast<size_t>(written.size() - done));
                if (n <= 0) {
                    break;
                }
                done += n;
            }
            ::_exit(0);
        }
        // The writer's open is waited for, so that the pipe is not simply empty.
        ::usleep(50000);
        const Result<QByteArray> read = ReadDescriptor(fd.value(), limit);
        ::kill(writer, SIGKILL);
        return read && read.value() == expected ? 0 : 2;
    });
    QCOMPARE(child.exitCode, 0);
}

void TestInputFile::operatingSystemWords_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");
    QTest::newRow("ENOSPC") << ENOSPC << QStringLiteral("No space left on device");
    QTest::newRow("EACCES") << EACCES << QStringLiteral("Permission denied");
    QTest::newRow("EMFILE") << EMFILE << QStringLiteral("Too many open files");
}

void TestInputFile::operatingSystemWords() {
    QFETCH(int, error);
    QFETCH(QString, text);
    QCOMPARE(ErrnoText(error), text);
    if (error == EMFILE) {
        // Out of descriptors, the open says so in those words.
        const QByteArray plain = path("plain");
        QCOMPARE(RunInChild([&] {
                     const rlimit none = {3, 3};
                     ::setrlimit(RLIMIT_NOFILE, &none);
                     const Result<int> fd = OpenInputDescriptor(plain, FifoRule::Refuse);
                     return !fd && fd.error() == QLatin1String("Too many open files") ? 0 : 1;
                 }).exitCode,
                 0);
    }
    if (error == EACCES && ::geteuid() != 0) {
        const QString locked = dir_->filePath(QStringLiteral("plain"));
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        QFile file;
        QCOMPARE(OpenInput(file, locked, FifoRule::Refuse).error(), text);
    }
}

// A name that is not UTF-8 opens from its bytes and survives the trip through QString.
void TestInputFile::rawNames() {
    const QByteArray name = QFile::encodeName(dir_->path()) + "/wing\xff\xfe.dat";
    QFile raw;
    {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "xyz", 3), ssize_t{3});
        ::close(fd);
    }
    const QString carried = PathFromBytes(name);
    QVERIFY(HoldsStrayBytes(carried));
    QCOMPARE(PathBytes(carried), name);
    QVERIFY(OpenInput(raw, carried, FifoRule::Refuse).ok());
    QCOMPARE(raw.readAll(), QByteArray("xyz"));
    ::unlink(name.constData());  // QTemporaryDir cannot name it
}

void TestInputFile::identity_data() {
    QTest::addColumn<QString>("link");  // how the second name is made: symlink, hard, dot, copy
    QTest::addColumn<bool>("same");
    QTest::newRow("symlink") << "symlink" << true;
    QTest::newRow("hard link") << "hard" << true;
    QTest::newRow("./x and x") << "dot" << true;
    QTest::newRow("a copy") << "copy" << false;
}

void TestInputFile::identity() {
    QFETCH(QString, link);
    QFETCH(bool, same);
    const QByteArray first = path("plain");
    QByteArray second = path("second");
    if (link == QLatin1String("symlink")) {
        QCOMPARE(::symlink(first.constData(), second.constData()), 0);
    } else if (link == QLatin1String("hard")) {
        QCOMPARE(::link(first.constData(), second.constData()), 0);
    } else if (link == QLatin1String("dot")) {
        second = QFile::encodeName(dir_->path()) + "/./dir/../plain";
    } else {
        QVERIFY(QFile::copy(QFile::decodeName(first), QFile::decodeName(second)));
    }
    const std::optional<FileIdentity> a = IdentityOf(first);
    const std::optional<FileIdentity> b = IdentityOf(second);
    QVERIFY(a && b);
    QCOMPARE(*a == *b, same);
    QVERIFY(!IdentityOf(path("missing")));
}

QTEST_GUILESS_MAIN(TestInputFile)
#include "tst_inputfile.moc"
