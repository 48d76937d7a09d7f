// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "ToolRun.h"
#include "formats/SettingsFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace vandrix;
using vandrix::testing::readAll;

namespace {

// True once the process catches SIGTERM, which the viewer arranges before start-up: a SIGTERM
// from then on closes the window, with its settings saved, once start-up has shown it.
bool catchesTerm(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return (mask & (1ULL << (SIGTERM - 1))) != 0;
        }
    }
    return false;
}

}  // namespace

// The real program, started twice on a program directory of its own.
class TestE2eSettings : public QObject {
    Q_OBJECT

private slots:
    void settingsSurviveTwoRuns();

private:
    void runOnce(const QString& programDir);
};

void TestE2eSettings::runOnce(const QString& programDir) {
    testing::RunningTool viewer({.program = programDir + QStringLiteral("/vandrix"),
                                 .workDir = programDir,
                                 .setEnv = {{"QT_QPA_PLATFORM", "offscreen"}},
                                 .timeoutMs = 20000});
    QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(viewer.pid()), 20000);
    viewer.signal(SIGTERM);
    const testing::ToolRun run = viewer.wait();
    QVERIFY2(run.exitCode == 0, run.err.constData());
}

void TestE2eSettings::settingsSurviveTwoRuns() {
    QTemporaryDir program;
    const QString dir = program.path();
    QVERIFY(
        QFile::copy(QStringLiteral(VANDRIX_BINARY), program.filePath(QStringLiteral("vandrix"))));
    QFile::setPermissions(program.filePath(QStringLiteral("vandrix")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString language = testing::samplePath("Language.txt");
    if (QFile::exists(language)) {
        QVERIFY(QFile::copy(language, program.filePath(QStringLiteral("Language.txt"))));
    }
    // The template a new program directory starts with: no directory recorded yet.
    const QString settings = program.filePath(QStringLiteral("Set.txt"));
    QVERIFY(testing::writeFile(settings, FormatSettings(1, QString(), 1000, 150)));

    // First run: the program finds its own file in the current directory and records it.
    runOnce(dir);
    QCOMPARE(readAll(settings), FormatSettings(1, dir, 1000, 150));

    // The values the user left behind come back and are written out unchanged.
    const QByteArray changed = FormatSettings(2, dir, 1234, 99.5);
    QVERIFY(testing::writeFile(settings, changed));
    runOnce(dir);
    QCOMPARE(readAll(settings), changed);
}

QTEST_GUILESS_MAIN(TestE2eSettings)
#include "tst_e2e_settings.moc"
