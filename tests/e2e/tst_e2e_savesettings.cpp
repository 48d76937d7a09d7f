// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "ToolRun.h"
#include "formats/SettingsFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace vandrix;

namespace {

// The uid and gid a writer runs as when the test runs as root, whom permissions do not stop.
constexpr auto Nobody = "65534";

}  // namespace

// Set.txt is saved wherever the directory or the file lets it be, as a user who is not the
// owner of a shared program directory.
class TestE2eSaveSettings : public QObject {
    Q_OBJECT

private slots:
    void savedWherePossible_data();
    void savedWherePossible();
};

void TestE2eSaveSettings::savedWherePossible_data() {
    QTest::addColumn<bool>("dirWritable");
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("shared install: fixed directory, writable file") << false << true;
    QTest::newRow("read-only file in a writable directory") << true << false;
    QTest::newRow("fixed directory, read-only file") << false << false;
}

void TestE2eSaveSettings::savedWherePossible() {
    QFETCH(bool, dirWritable);
    QFETCH(bool, fileWritable);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Set.txt"));
    const QByteArray old = FormatSettings(1, dir.path(), 1000, 150);
    QVERIFY(testing::writeFile(path, old));

    using P = QFile::Permission;
    const QFile::Permissions readAll = P::ReadOwner | P::ReadGroup | P::ReadOther;
    const QFile::Permissions writeAll = P::WriteOwner | P::WriteGroup | P::WriteOther;
    const QFile::Permissions enterAll = P::ExeOwner | P::ExeGroup | P::ExeOther;
    QVERIFY(
        QFile::setPermissions(path, readAll | (fileWritable ? writeAll : QFile::Permissions())));
    QVERIFY(QFile::setPermissions(
        dir.path(), readAll | enterAll | (dirWritable ? writeAll : QFile::Permissions())));

    testing::Tool writer = {.program = QStringLiteral(VANDRIX_SETTINGS_WRITER),
                            .arguments = {QStringLiteral("once")},
                            .workDir = dir.path(),
                            .timeoutMs = 20000};
    if (::geteuid() == 0) {
        writer.arguments = QStringList{QStringLiteral("--reuid=%1").arg(QLatin1String(Nobody)),
                                       QStringLiteral("--regid=%1").arg(QLatin1String(Nobody)),
                                       QStringLiteral("--clear-groups"), writer.program} +
                           writer.arguments;
        writer.program = QStringLiteral("setpriv");
    }
    const testing::ToolRun run = testing::runTool(writer);
    const QByteArray& messages = run.err;
    QFile::setPermissions(dir.path(), readAll | writeAll | enterAll);
    QCOMPARE(run.exitCode, 0);

    if (dirWritable || fileWritable) {
        QCOMPARE(messages, QByteArray());
        QCOMPARE(testing::readAll(path), FormatSettings(2, dir.path(), -1234, 0.1 + 0.2));
    } else {
        // One message naming the file and the reason; the old file whole.
        QCOMPARE(messages.count('\n'), 1);
        QVERIFY2(messages.contains(path.toUtf8()), messages.constData());
        QVERIFY2(messages.contains("Permission denied"), messages.constData());
        QCOMPARE(testing::readAll(path), old);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Set.txt"});
}

QTEST_GUILESS_MAIN(TestE2eSaveSettings)
#include "tst_e2e_savesettings.moc"
