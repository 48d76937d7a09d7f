// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"
#include "Drops.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindow.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "session/Startup.h"
#include "ui/FormMain.h"
#include "ui/GracefulTermination.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <csignal>

using namespace vandrix;
using vandrix::testing::readAll;
using vandrix::testing::RunInChild;
using vandrix::testing::samplePath;
using vandrix::testing::writeFile;

namespace {

// The message boxes the window shows when `path` comes in by `entry`, in a child process: a
// read that blocks ends it by its time limit. Exit 0 when they are exactly `expected`.
testing::ToolRun messagesInChild(const QString& entry, const QString& path,
                                 const QStringList& expected) {
    return RunInChild([&] {
        AppState state;
        state.ScreenScale = 1000;
        ScriptedDialogs dialogs;
        FormMain form(state, dialogs);
        form.Form_Load();
        form.show();
        if (entry == QLatin1String("dialog")) {
            dialogs.openAnswers << path;
            form.findChild<QPushButton*>(QStringLiteral("CommandInF"))->click();
        } else if (entry == QLatin1String("argument")) {
            form.openFile(path);
        } else {
            testing::drop(&form, {QUrl::fromLocalFile(path)});
        }
        for (int k = 0; k < 10; ++k) {
            QCoreApplication::processEvents();
        }
        return dialogs.messages == expected ? 0 : 1;
    });
}

// How a forked child that gets `signal` under GracefulTermination ends. With `answering` the
// child keeps its event loop going; without, it is stuck in a system call for 15 s.
testing::ToolRun endUnderSignal(int signal, bool answering) {
    return RunInChild([&] {
        bool asked = false;
        const GracefulTermination termination([&asked] { asked = true; });
        ::raise(signal);
        if (answering) {
            for (int k = 0; k < 1000 && !asked; ++k) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            }
            return asked ? 0 : 1;
        }
        for (int k = 0; k < 15; ++k) {
            ::sleep(1);  // a handled signal cuts a sleep short: keep sleeping
        }
        return 2;
    });
}

}  // namespace

// The viewer given what it must not read, a name Qt cannot carry, and signals at start-up.
class TestHostileViewer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void entries_data();
    void entries();
    void settingsFromFifo();
    void signalEndsIt_data();
    void signalEndsIt();
    void frozenLoopStillEnds_data();
    void frozenLoopStillEnds();
    void noHome();

private:
    QString path(const char* name) const { return dir_->filePath(QLatin1String(name)); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestHostileViewer::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("dir")));
}

void TestHostileViewer::cleanup() {
    dir_.reset();
}

void TestHostileViewer::entries_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    for (const char* entry : {"dialog", "argument", "drop"}) {
        QTest::addRow("%s, FIFO", entry) << entry << "fifo"
                                         << "not a regular file";
    }
    QTest::newRow("argument, a name that was not UTF-8")
        << "argument" << QStringLiteral("wing\uFFFD.dat") << "the file name is not valid UTF-8";
}

void TestHostileViewer::entries() {
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString file = name.startsWith(QLatin1Char('/')) ? name : dir_->filePath(name);
    QCOMPARE(
        messagesInChild(entry, file, {QStringLiteral("Cannot open file %1: %2").arg(file, reason)})
            .exitCode,
        0);
}

// A FIFO as Set.txt and as Language.txt: start-up says so once each and goes on.
void TestHostileViewer::settingsFromFifo() {
    const QString program = dir_->path();
    QCOMPARE(::mkfifo(QFile::encodeName(path("Set.txt")).constData(), 0600), 0);
    QCOMPARE(::mkfifo(QFile::encodeName(path("Language.txt")).constData(), 0600), 0);
    const testing::ToolRun child = RunInChild([&] {
        AppState state;
        state.InitDir = program;
        ScriptedWindow window;
        ScriptedDialogs dialogs;
        ReadSetting(state, window, dialogs);
        const QStringList expected = {
            QStringLiteral("Cannot open file %1/Set.txt: not a regular file").arg(program)};
        return dialogs.messages == expected ? 0 : 1;
    });
    QCOMPARE(child.exitCode, 0);
}

// The viewer itself, signalled while it shows a message about a FIFO: it ends, whatever it was
// doing (the bound only keeps a hang from stalling the suite).
void TestHostileViewer::signalEndsIt_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("fifo");  // what is a FIFO: the argument or Set.txt
    QTest::newRow("SIGTERM, FIFO argument") << SIGTERM << "argument";
    QTest::newRow("SIGTERM, FIFO Set.txt") << SIGTERM << "Set.txt";
    QTest::newRow("SIGINT, FIFO argument") << SIGINT << "argument";
}

void TestHostileViewer::signalEndsIt() {
    QFETCH(int, signal);
    QFETCH(QString, fifo);
    QVERIFY(writeFile(path("Language.txt"), readAll(samplePath("Language.txt"))));
    if (fifo == QLatin1String("Set.txt")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path("Set.txt")).constData(), 0600), 0);
    } else {
        QVERIFY(writeFile(path("Set.txt"), "// Language\r\n1\r\n// Init DIR\r\n" +
                                               QFile::encodeName(dir_->path()) + "\r\n"));
    }
    testing::RunningTool viewer(
        {.program = QStringLiteral(VANDRIX_VIEWER),
         .arguments = fifo == QLatin1String("argument") ? QStringList{path("fifo")} : QStringList{},
         .workDir = dir_->path(),
         .setEnv = {{"QT_QPA_PLATFORM", "offscreen"}},
         .timeoutMs = 10000});
    // Long enough for the window and its message to be up on any machine; a signal before that
    // is answered too, by its default action.
    QTest::qWait(1500);
    QVERIFY(viewer.running());
    viewer.signal(signal);
    const testing::ToolRun run = viewer.wait();
    // A graceful close, or the signal's own default action after the fallback.
    QVERIFY2(run.signal == signal || run.exitCode == 0, run.err.constData());
}

// A signal is answered from the event loop; a program that does not get back to it is ended by
// the signal itself shortly after.
void TestHostileViewer::frozenLoopStillEnds_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("answering");
    QTest::addColumn<int>("endedBy");  // the signal that ends it; 0: it exits with status 0
    for (const auto& [name, signal] :
         {std::pair{"TERM", SIGTERM}, std::pair{"INT", SIGINT}, std::pair{"HUP", SIGHUP}}) {
        QTest::addRow("%s, loop answers", name) << signal << true << 0;
        QTest::addRow("%s, loop frozen", name) << signal << false << signal;
    }
}

void TestHostileViewer::frozenLoopStillEnds() {
    QFETCH(int, signal);
    QFETCH(bool, answering);
    QFETCH(int, endedBy);
    const testing::ToolRun run = endUnderSignal(signal, answering);
    QCOMPARE(run.signal, endedBy);
    QCOMPARE(run.exitCode, endedBy == 0 ? 0 : -1);
}

// Installed, with neither HOME nor XDG_DATA_HOME: runs on a temporary directory, never at /.
void TestHostileViewer::noHome() {
    const bool rootHadIt = QFileInfo::exists(QStringLiteral("/.local/share/vandrix"));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("prefix/bin")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("prefix/share/vandrix")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("tmp")));
    QVERIFY(QFile::copy(QStringLiteral(VANDRIX_VIEWER), path("prefix/bin/vandrix")));
    QVERIFY(
        writeFile(path("prefix/share/vandrix/Language.txt"), readAll(samplePath("Language.txt"))));
    testing::RunningTool viewer(
        {.program = path("prefix/bin/vandrix"),
         .workDir = path("tmp"),
         .setEnv = {{"TMPDIR", path("tmp")}, {"QT_QPA_PLATFORM", "offscreen"}},
         .unsetEnv = {"HOME", "XDG_DATA_HOME"},
         .timeoutMs = 10000});
    // The stand-in program directory, with its Set.txt, appears under TMPDIR.
    const auto standIn = [&] {
        return std::ranges::any_of(
            QDir(path("tmp")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            [&](const QString& entry) {
                return QFileInfo::exists(path("tmp/") + entry + QStringLiteral("/Set.txt"));
            });
    };
    QTRY_VERIFY_WITH_TIMEOUT(standIn(), 20000);
    viewer.signal(SIGTERM);
    viewer.wait();
    if (!rootHadIt) {
        QVERIFY(!QFileInfo::exists(QStringLiteral("/.local/share/vandrix")));
    }
}

QTEST_MAIN(TestHostileViewer)
#include "tst_hostileviewer.moc"
