// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "formats/SettingsFile.h"

#include <QDir>
#include <QProcess>
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
    QProcess viewer;
    viewer.setWorkingDirectory(programDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    viewer.setProcessEnvironment(env);
    viewer.setProcessChannelMode(QProcess::ForwardedChannels);
    viewer.start(programDir + QStringLiteral("/vandrix"), {});
    QVERIFY(viewer.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(viewer.processId()), 20000);
    ::kill(static_cast<pid_t>(viewer.processId()), SIGTERM);
    QVERIFY(viewer.waitForFinished(20000));
    QCOMPARE(viewer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(viewer.exitCode(), 0);
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
