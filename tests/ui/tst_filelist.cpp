#include "TestFiles.h"
#include "ui/FileListBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using vandrix::testing::writeFile;

// The hidden file list answers "is this name there" without listing the directory, and its
// answer agrees with the names it lists.
class TestFileList : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsFileAgreesWithListing_data();
    void holdsFileAgreesWithListing();
    void listsOrdinaryFilesAndFillsItemsWhenShown();

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
    QVERIFY(box.setPath(dir_.path()));
    QCOMPARE(box.holdsFile(name), held);
    QCOMPARE(box.fileNames().contains(name), held);
}

void TestFileList::listsOrdinaryFilesAndFillsItemsWhenShown() {
    FileListBox box;
    QCOMPARE(box.path(), QDir::currentPath());
    QVERIFY(box.setPath(dir_.path()));
    const QStringList expected = {"Vandrix.exe", "link.exe", "翼型.dat"};
    QCOMPARE(box.fileNames(), expected);
    QCOMPARE(box.count(), 0);
    box.show();
    QCOMPARE(box.count(), expected.size());
    QCOMPARE(box.item(2)->text(), expected.at(2));
}

QTEST_MAIN(TestFileList)
#include "tst_filelist.moc"
