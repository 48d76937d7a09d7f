// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "ToolRun.h"
#include "formats/SettingsFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace vandrix;

// Settings are never lost: a process killed (SIGKILL) while it rewrites Set.txt leaves either
// the complete old file or the complete new one, never a part, never none.
class TestE2eKillWrites : public QObject {
    Q_OBJECT

private slots:
    void killedWriterLeavesWholeFile();
};

void TestE2eKillWrites::killedWriterLeavesWholeFile() {
    const int rounds = qEnvironmentVariableIntValue("VANDRIX_KILL_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("VANDRIX_KILL_ROUNDS")
                           : 1000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Set.txt"));
    const QByteArray first = FormatSettings(1, dir.path(), 1000, 150);
    const QByteArray second = FormatSettings(2, dir.path(), -1234, 0.1 + 0.2);
    QVERIFY(testing::writeFile(path, first));

    QRandomGenerator random(20261207);
    int sawFirst = 0;
    int sawSecond = 0;
    for (int round = 0; round < rounds; ++round) {
        testing::RunningTool writer({.program = QStringLiteral(VANDRIX_SETTINGS_WRITER),
                                     .workDir = dir.path(),
                                     .timeoutMs = 10000});
        QVERIFY(!writer.outputWith("writing\n", 10000).isEmpty());
        QThread::usleep(random.bounded(20000));
        writer.signal(SIGKILL);
        const testing::ToolRun run = writer.wait();
        QCOMPARE(run.signal, SIGKILL);
        QCOMPARE(run.err, QByteArray());  // no write ever failed

        const QByteArray found = testing::readAll(path);
        QVERIFY2(found == first || found == second,
                 qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(found.size())));
        (found == first ? sawFirst : sawSecond) += 1;
    }
    qInfo("%d rounds: the first settings %d times, the second %d times", rounds, sawFirst,
          sawSecond);
    QVERIFY(sawFirst > 0 && sawSecond > 0);  // the kills did land at different moments
}

QTEST_GUILESS_MAIN(TestE2eKillWrites)
#include "tst_e2e_killwrites.moc"
