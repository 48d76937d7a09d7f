// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceProbe.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindow.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "formats/SettingsFile.h"
#include "session/Startup.h"
#include "ui/FormMain.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>
#include <memory>

using namespace vandrix;

namespace {

QByteArray randomBytes(int size, quint32 seed) {
    QByteArray bytes(size, '\0');
    QRandomGenerator random(seed);
    for (char& c : bytes) {
        c = static_cast<char>(random.bounded(256));
    }
    return bytes;
}

enum class Place { Contents, Directory, Unreadable };

// Puts what a test needs where the file should be.
bool place(const QString& path, Place how, const QByteArray& contents) {
    switch (how) {
        case Place::Contents:
            return testing::writeFile(path, contents);
        case Place::Directory:
            return QDir().mkpath(path);
        case Place::Unreadable:
            return testing::writeFile(path, contents) &&
                   QFile::setPermissions(path, QFile::WriteOwner);
    }
    return false;
}

}  // namespace

// Damaged, missing and hostile settings and language files: a message at most once per
// problem, earlier values kept, the file closed, nothing ends the program.
class TestBadFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settings_data();
    void settings();
    void settingsLineOf100MB();
    void language_data();
    void language();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestBadFiles::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void TestBadFiles::cleanup() {
    dir_.reset();
    QVERIFY(testing::allWindowsClosed());
}

void TestBadFiles::settings_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("messages");
    // What each field ends as; -1 for the value it had (language 9, scale 99, printer 9.5).
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("printer");
    const int keep = -1;
    const auto contents = int(Place::Contents);
    QTest::newRow("no lines") << contents << QByteArray() << 0 << keep << keep << -1.0;
    QTest::newRow("three lines") << contents << QByteArray("//\r\n 2 \r\n//\r\n") << 0 << 2 << keep
                                 << -1.0;
    QTest::newRow("seven lines") << contents << QByteArray("//\n2\n//\n/d\n//\n800\n//\n") << 0 << 2
                                 << 800 << -1.0;
    QTest::newRow("language 40000")
        << contents << QByteArray("//\n40000\n//\n/d\n//\n800\n//\n12\n") << 1 << keep << 800
        << 12.0;
    QTest::newRow("binary") << contents << randomBytes(4096, 7) << 0 << 0 << 0 << 0.0;
    QTest::newRow("a directory") << int(Place::Directory) << QByteArray() << 1 << 1 << keep << -1.0;
    if (::geteuid() != 0) {  // root reads any file
        QTest::newRow("no read permission")
            << int(Place::Unreadable) << QByteArray("//\n2\n") << 1 << 1 << keep << -1.0;
    }
}

void TestBadFiles::settings() {
    QFETCH(int, how);
    QFETCH(QByteArray, contents);
    QFETCH(int, messages);
    QFETCH(int, language);
    QFETCH(int, scale);
    QFETCH(double, printer);
    QVERIFY(place(dir_->filePath(QStringLiteral("Set.txt")), Place(how), contents));
    AppState state;
    state.InitDir = dir_->path();
    state.Language = 9;
    state.ScreenScale = 99;
    state.PrinterScale = 9.5;
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    const int files = testing::openFileCount();
    ReadSetting(state, window, dialogs);
    QCOMPARE(testing::openFileCount(), files);
    if (QByteArray(QTest::currentDataTag()) == "binary") {
        QVERIFY(dialogs.messages.size() <= 3);  // whatever it holds, nothing worse than messages
        return;
    }
    QCOMPARE(dialogs.messages.size(), messages);
    QCOMPARE(int(state.Language), language < 0 ? 9 : language);
    QCOMPARE(int(state.ScreenScale), scale < 0 ? 99 : scale);
    QCOMPARE(state.PrinterScale, printer < 0 ? 9.5 : printer);
}

void TestBadFiles::settingsLineOf100MB() {
    const QString path = dir_->filePath(QStringLiteral("Set.txt"));
    QVERIFY(testing::writeLargeFile(path, "// Language\r\n 2 \r\n// Init DIR\r\n", 100LL << 20, 'd',
                                    "\r\n// Scale\r\n 800 \r\n"));
    AppState state;
    state.InitDir = dir_->path();
    ScriptedWindow window;
    ScriptedDialogs dialogs;
    if (!testing::resetPeakResident()) {
        QSKIP("peak memory cannot be measured here");
    }
    const long base = testing::peakResidentKiB();
    ReadSetting(state, window, dialogs);
    QVERIFY(testing::peakResidentKiB() - base < 16L * 1024);
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].contains(QStringLiteral("too long")));
    QCOMPARE(state.Language, std::int16_t(2));
    QCOMPARE(state.InitDir, dir_->path());  // the directory stays as it was
}

void TestBadFiles::language_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("menuItem0");    // "a": as built
    QTest::addColumn<QString>("exitCaption");  // "a": as built
    const QByteArray shipped = testing::readAll(testing::samplePath("Language.txt"));
    QByteArray huge = shipped;
    huge.replace("\r\n2\r\n", "\r\n32767\r\n");
    QByteArray negative = shipped;
    negative.replace("\r\n2\r\n", "\r\n-5\r\n");
    QByteArray overflow = shipped;
    overflow.replace("\r\n2\r\n", "\r\n40000\r\n");
    const auto contents = int(Place::Contents);
    QTest::newRow("shipped") << contents << shipped << 0 << "English"
                             << "E&xit";
    QTest::newRow("N = 32767") << contents << huge << 1 << "English"
                               << "a";
    QTest::newRow("N negative") << contents << negative << 0 << "a"
                                << "a";
    QTest::newRow("N = 40000") << contents << overflow << 1 << "a"
                               << "a";
    QTest::newRow("binary") << contents << randomBytes(4096, 11) << -1 << ""
                            << "";
    QTest::newRow("a directory") << int(Place::Directory) << QByteArray() << 1 << "a"
                                 << "a";
    if (::geteuid() != 0) {
        QTest::newRow("no read permission") << int(Place::Unreadable) << shipped << 1 << "a"
                                            << "a";
    }
}

void TestBadFiles::language() {
    QFETCH(int, how);
    QFETCH(QByteArray, contents);
    QFETCH(int, messages);
    QFETCH(QString, menuItem0);
    QFETCH(QString, exitCaption);
    QVERIFY(place(dir_->filePath(QStringLiteral("Language.txt")), Place(how), contents));
    AppState state;
    state.InitDir = dir_->path();
    state.Language = 1;
    state.FileErrorMessage = QStringLiteral("kept");
    ScriptedDialogs dialogs;
    FormMain form(state, dialogs);
    const int files = testing::openFileCount();
    form.ReadLanguage();
    QCOMPARE(testing::openFileCount(), files);
    if (messages < 0) {  // binary: no more than one message per problem
        QVERIFY(dialogs.messages.size() <= 2);
        return;
    }
    QCOMPARE(dialogs.messages.size(), messages);
    if (messages > 0) {
        QVERIFY2(dialogs.messages[0].contains(QStringLiteral("Language.txt")),
                 qPrintable(dialogs.messages[0]));
    }
    QCOMPARE(form.findChild<QAction*>(QStringLiteral("mnuSetLang0"))->text(), menuItem0);
    QCOMPARE(form.findChild<QAction*>(QStringLiteral("mnuFileItem0"))->text(), exitCaption);
    if (exitCaption == QLatin1String("a")) {
        QCOMPARE(state.FileErrorMessage, QStringLiteral("kept"));
    }
}

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
