// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "formats/LanguageFile.h"
#include "formats/SettingsFile.h"
#include "formats/ShippedFiles.h"
#include "model/Scales.h"
#include "session/CommandLine.h"
#include "session/UserDirectory.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using vandrix::testing::readAll;
using vandrix::testing::writeFile;

// Where the installed program finds its files and lays out a user's program directory, and
// the file named on its command line.
class TestUserDirectory : public QObject {
    Q_OBJECT

private slots:
    void installedShareDir_data();
    void installedShareDir();
    void languageForLocale_data();
    void languageForLocale();
    void firstStartLaysOutDirectory();
    void userFilesAreNeverReplaced_data();
    void userFilesAreNeverReplaced();
    void directoryThatCannotBeMade();
    void fileToOpen_data();
    void fileToOpen();
};

void TestUserDirectory::installedShareDir_data() {
    QTest::addColumn<QString>("programDir");  // relative to a temporary root
    QTest::addColumn<bool>("shipped");        // root/usr/share/vandrix/Language.txt exists
    QTest::addColumn<QString>("expected");    // relative to the root, or empty

    QTest::newRow("installed") << "usr/bin" << true << "usr/share/vandrix";
    QTest::newRow("trailing separator") << "usr/bin/" << true << "usr/share/vandrix";
    QTest::newRow("bin without shipped files") << "usr/bin" << false << "";
    QTest::newRow("build tree") << "build/debug/src" << true << "";
    QTest::newRow("name ending in bin") << "usr/sbin" << true << "";
    QTest::newRow("bin of another prefix") << "opt/bin" << true << "";
}

void TestUserDirectory::installedShareDir() {
    QFETCH(QString, programDir);
    QFETCH(bool, shipped);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/share/vandrix")));
    QVERIFY(QDir(root.path()).mkpath(programDir));
    if (shipped) {
        QVERIFY(writeFile(root.filePath(QStringLiteral("usr/share/vandrix/Language.txt")), "x"));
    }
    const QString found = InstalledShareDir(root.filePath(programDir), QStringLiteral("bin"),
                                            QStringLiteral("share"));
    QCOMPARE(found, expected.isEmpty() ? QString() : root.filePath(expected));
}

void TestUserDirectory::languageForLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("language");
    QTest::newRow("Japanese") << "ja_JP" << 2;
    QTest::newRow("Japanese, language only") << "ja" << 2;
    QTest::newRow("English") << "en_US" << 1;
    QTest::newRow("German") << "de_DE" << 1;
    QTest::newRow("C") << "C" << 1;
}

void TestUserDirectory::languageForLocale() {
    QFETCH(QString, locale);
    QFETCH(int, language);
    QCOMPARE(LanguageForLocale(QLocale(locale)), language);
}

void TestUserDirectory::firstStartLaysOutDirectory() {
    QTemporaryDir root;
    const QString share = root.filePath(QStringLiteral("share"));
    QVERIFY(QDir().mkpath(share));
    const QByteArray shipped = readAll(testing::samplePath("Language.txt"));
    QVERIFY(writeFile(share + QLatin1String("/Language.txt"), shipped));
    // The data directory itself may not exist yet either.
    const QString user = root.filePath(QStringLiteral("home/.local/share/vandrix"));

    QVERIFY(PrepareUserDirectory(user, share, 2));
    QCOMPARE(readAll(user + QLatin1String("/Language.txt")), shipped);
    QCOMPARE(readAll(user + QLatin1String("/Set.txt")),
             FormatSettings(2, user, FirstScreenScale, FirstPrinterScale));
    QVERIFY(QFileInfo(user + QLatin1String("/Language.txt")).isWritable());
}

void TestUserDirectory::userFilesAreNeverReplaced_data() {
    QTest::addColumn<bool>("ownSettings");
    QTest::addColumn<bool>("ownLanguage");
    QTest::newRow("own Set.txt") << true << false;
    QTest::newRow("own Language.txt") << false << true;
    QTest::newRow("both") << true << true;
}

void TestUserDirectory::userFilesAreNeverReplaced() {
    QFETCH(bool, ownSettings);
    QFETCH(bool, ownLanguage);
    QTemporaryDir share;
    QTemporaryDir user;
    QVERIFY(writeFile(share.filePath(QStringLiteral("Language.txt")), "shipped\r\n"));
    const QString settings = user.filePath(QStringLiteral("Set.txt"));
    const QString language = user.filePath(QStringLiteral("Language.txt"));
    const QByteArray mySettings = FormatSettings(1, QStringLiteral("/elsewhere"), 5, 6);
    if (ownSettings) {
        QVERIFY(writeFile(settings, mySettings));
    }
    if (ownLanguage) {
        QVERIFY(writeFile(language, "mine\r\n"));
    }

    QVERIFY(PrepareUserDirectory(user.path(), share.path(), 2));
    QCOMPARE(readAll(settings),
             ownSettings ? mySettings
                         : FormatSettings(2, user.path(), FirstScreenScale, FirstPrinterScale));
    QCOMPARE(readAll(language), ownLanguage ? QByteArray("mine\r\n") : QByteArray("shipped\r\n"));
}

void TestUserDirectory::directoryThatCannotBeMade() {
    QTemporaryDir root;
    QVERIFY(writeFile(root.filePath(QStringLiteral("file")), "not a directory"));
    const QString user = root.filePath(QStringLiteral("file/vandrix"));
    const QString message = PrepareUserDirectory(user, root.path(), 1).error();
    QCOMPARE(message, QStringLiteral("Cannot create the program directory %1.").arg(user));
    QVERIFY(!QFileInfo::exists(user));
}

void TestUserDirectory::fileToOpen_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{QStringLiteral("vandrix")} << "";
    QTest::newRow("relative") << QStringList{QStringLiteral("vandrix"), QStringLiteral("a.dat")}
                              << "/work/dir/a.dat";
    QTest::newRow("absolute") << QStringList{QStringLiteral("vandrix"), QStringLiteral("/d/b.dat")}
                              << "/d/b.dat";
    QTest::newRow("several: the first")
        << QStringList{QStringLiteral("vandrix"), QStringLiteral("1.dat"), QStringLiteral("2.dat")}
        << "/work/dir/1.dat";
    QTest::newRow("after --") << QStringList{QStringLiteral("vandrix"), QStringLiteral("--"),
                                             QStringLiteral("-x.dat")}
                              << "/work/dir/-x.dat";
    QTest::newRow("empty argument") << QStringList{QStringLiteral("vandrix"), QString()} << "";
}

void TestUserDirectory::fileToOpen() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QCOMPARE(FileToOpen(arguments, QStringLiteral("/work/dir")), expected);
}

QTEST_GUILESS_MAIN(TestUserDirectory)
#include "tst_userdirectory.moc"
