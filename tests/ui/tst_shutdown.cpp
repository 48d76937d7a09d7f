// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadOnlyGuard.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "formats/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;

// Leaving the program through the exit item and through the close box.
class TestShutdown : public QObject, private testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writesPerWayOut_data();
    void writesPerWayOut();
    void exitWritesTheCurrentSettings();
    void otherFileItemsDoNothing();

private:
    void leave(const QString& way) {
        if (way == QLatin1String("menu")) {
            form->findChild<QAction*>(QStringLiteral("mnuFileItem0"))->trigger();
        } else {
            form->close();  // what the close box does
        }
    }

    std::unique_ptr<QTemporaryDir> program;
};

void TestShutdown::init() {
    program = std::make_unique<QTemporaryDir>();
    state.Language = 2;
    state.InitDir = program->path();
    state.ScreenScale = 1200;
    state.PrinterScale = 150.5;
    open();
}

void TestShutdown::cleanup() {
    QVERIFY(close());
    program.reset();
}

void TestShutdown::writesPerWayOut_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("writes");
    QTest::newRow("exit item") << "menu" << 2;
    QTest::newRow("close box") << "close" << 1;
}

void TestShutdown::writesPerWayOut() {
    QFETCH(QString, way);
    QFETCH(int, writes);
    // Every write attempt into a read-only directory shows one message: they count the writes.
    testing::ReadOnlyGuard guard(program->path());
    if (!guard.active()) {
        QSKIP("this file system cannot make the directory read-only");
    }
    leave(way);
    QCOMPARE(dialogs->messages.size(), writes);
    QVERIFY(!form->isVisible());
}

void TestShutdown::exitWritesTheCurrentSettings() {
    leave(QStringLiteral("menu"));
    QCOMPARE(dialogs->messages, QStringList());
    QCOMPARE(testing::readAll(program->filePath(QStringLiteral("Set.txt"))),
             FormatSettings(2, program->path(), 1200, 150.5));
    QVERIFY(!form->isVisible());
}

void TestShutdown::otherFileItemsDoNothing() {
    form->mnuFileItem_Click(1);
    form->mnuFileItem_Click(-1);
    QVERIFY(form->isVisible());
    QVERIFY(!QFile::exists(program->filePath(QStringLiteral("Set.txt"))));
}

QTEST_MAIN(TestShutdown)
#include "tst_shutdown.moc"
