// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "ui/FileListBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using vandrix::testing::writeFile;

// The hidden file list answers "is this name there" without listing the directory, and its
// answer agrees with a listing of the directory's ordinary files.
class TestFileList : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsFileAgreesWithListing_data();
    void holdsFileAgreesWithListing();
    void setPath_data();
    void setPath();

private:
    QTemporaryDir dir_;
};

void TestFileList::initTestCase() {
    QVERIFY(dir_.isValid());
    const QDir dir(dir_.path());
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Vandrix.exe")), "x"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral(".hidden")), "x"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("翼型.dat")), "x"));
    QVERIFY(dir.mkdir(QStringLiteral("Vandrix.vbp")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("Vandrix.exe")),
                        dir.filePath(QStringLiteral("link.exe"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("missing")),
                        dir.filePath(QStringLiteral("dangling"))));
}

void TestFileList::holdsFileAgreesWithListing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("held");
    QTest::newRow("ordinary file") << "Vandrix.exe" << true;
    QTest::newRow("other letter case") << "vandrix.EXE" << false;
    QTest::newRow("all lower case") << "vandrix.exe" << false;
    QTest::newRow("non-ASCII name") << "翼型.dat" << true;
    QTest::newRow("link to a file") << "link.exe" << true;
    QTest::newRow("dangling link") << "dangling" << false;
    QTest::newRow("directory") << "Vandrix.vbp" << false;
    QTest::newRow("hidden file") << ".hidden" << false;
    QTest::newRow("missing") << "Vandrix" << false;
    QTest::newRow("path, not a name") << "../Vandrix.exe" << false;
    QTest::newRow("empty") << "" << false;
}

void TestFileList::holdsFileAgreesWithListing() {
    QFETCH(QString, name);
    QFETCH(bool, held);
    FileListBox box;
    QVERIFY(box.setPath(dir_.path()).ok());
    QCOMPARE(box.holdsFile(name), held);
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).contains(name), held);
}

void TestFileList::setPath_data() {
    QTest::addColumn<QString>("path");  // below the test directory; "-": the empty path
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("after");  // below the test directory; "=": the current directory
    QTest::newRow("a directory") << "" << true << "";
    QTest::newRow("not yet clean") << "Vandrix.vbp/../Vandrix.vbp/" << true << "Vandrix.vbp";
    QTest::newRow("a file") << "Vandrix.exe" << false << "=";
    QTest::newRow("missing") << "nowhere" << false << "=";
    QTest::newRow("empty") << "-" << false << "=";
}

void TestFileList::setPath() {
    QFETCH(QString, path);
    QFETCH(bool, taken);
    QFETCH(QString, after);
    const auto below = [this](const QString& name) {
        return name.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + name;
    };
    FileListBox box;
    QCOMPARE(box.path(), QDir::currentPath());
    QCOMPARE(box.setPath(path == QLatin1String("-") ? QString() : below(path)).ok(), taken);
    QCOMPARE(box.path(), after == QLatin1String("=") ? QDir::currentPath() : below(after));
    QCOMPARE(box.count(), 0);  // never filled: it is never shown
}

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
