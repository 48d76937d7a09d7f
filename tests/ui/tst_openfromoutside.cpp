// SPDX-License-Identifier: GPL-3.0-or-later
#include "Drops.h"
#include "TestFiles.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace vandrix;
using vandrix::testing::readAll;
using vandrix::testing::samplePath;
using vandrix::testing::writeFile;

namespace {

// One window with its own state and scripted dialogs.
struct Window : testing::WindowFixture {
    Window() {
        state.ScreenScale = 1000;
        state.FileErrorMessage = QStringLiteral("Unusable file");
        open();
    }
    QStringList texts() const {
        QStringList all;
        for (int k = 1; k <= 8; ++k) {
            all << child<QLabel>(QStringLiteral("Label%1").arg(k))->text()
                << child<QLineEdit>(QStringLiteral("Text%1").arg(k))->text();
        }
        return all;
    }
    QImage picture() const { return child(QStringLiteral("Picture1"))->grab().toImage(); }
    QString accessibleName(const QString& name) const {
        return QAccessible::queryAccessibleInterface(child(name))->text(QAccessible::Name);
    }
};

}  // namespace

// A data file named on the command line or dropped onto the window, and what the window tells
// screen readers.
class TestOpenFromOutside : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void sameAsTheDialog_data();
    void sameAsTheDialog();
    void becomesTheChosenFile();
    void drop_data();
    void drop();
    void secondDropReplacesFirst();
    void dropOnValueBoxOpensFile();
    void captionsAreAnnounced();
};

void TestOpenFromOutside::cleanup() {
    QVERIFY(testing::allWindowsClosed());
}

void TestOpenFromOutside::sameAsTheDialog_data() {
    QTest::addColumn<QByteArray>("content");  // written to the file; null: no file at all
    QTest::addColumn<QString>("suffix");      // appended to the file's path
    QTest::addColumn<int>("messages");

    const QByteArray good = readAll(samplePath("naca2412.dat"));
    QByteArray malformed = good;
    malformed.replace("Max camber:", "Max camber ");
    QTest::newRow("good file") << good << "" << 0;
    QTest::newRow("cannot be opened") << QByteArray() << "" << 1;
    QTest::newRow("name ends with a separator") << good << "/" << 1;
    QTest::newRow("malformed header line") << malformed << "" << 0;
    QTest::newRow("ends in the coordinates") << good.left(good.size() / 2) << "" << 1;
}

void TestOpenFromOutside::sameAsTheDialog() {
    QFETCH(QByteArray, content);
    QFETCH(QString, suffix);
    QFETCH(int, messages);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.dat")) + suffix;
    if (!content.isNull()) {
        QVERIFY(writeFile(dir.filePath(QStringLiteral("f.dat")), content));
    }

    Window viaDialog;
    viaDialog.dialogs->openAnswers << path;
    viaDialog.form->CommandInF_Click();
    Window fromOutside;
    fromOutside.form->openFile(path);

    QCOMPARE(viaDialog.dialogs->messages.size(), messages);
    QCOMPARE(fromOutside.dialogs->messages, viaDialog.dialogs->messages);
    QCOMPARE(fromOutside.dialogs->openDirs, QStringList());
    QCOMPARE(fromOutside.state.DataName, viaDialog.state.DataName);
    QCOMPARE(fromOutside.state.DataPath, viaDialog.state.DataPath);
    QCOMPARE(fromOutside.texts(), viaDialog.texts());
    QCOMPARE(fromOutside.state.PointX, viaDialog.state.PointX);
    QCOMPARE(fromOutside.picture(), viaDialog.picture());
}

void TestOpenFromOutside::becomesTheChosenFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.dat"));
    QByteArray bytes = readAll(samplePath("naca2412.dat"));
    QVERIFY(writeFile(path, bytes));
    Window window;
    window.form->openFile(path);
    QCOMPARE(window.child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("NACA 2412"));

    // The dialog, cancelled afterwards, reads the file named from outside again.
    QVERIFY(writeFile(path, bytes.replace("Name:NACA 2412", "Name:Changed")));
    window.form->CommandInF_Click();
    QCOMPARE(window.dialogs->openDirs.size(), 1);
    QCOMPARE(window.child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("Changed"));
}

void TestOpenFromOutside::drop_data() {
    QTest::addColumn<QStringList>("dropped");  // "dir", "missing", file names or URLs
    QTest::addColumn<QString>("opened");       // the file read, or empty
    QTest::addColumn<int>("messages");

    QTest::newRow("one file") << QStringList{QStringLiteral("a.dat")} << "a.dat" << 0;
    QTest::newRow("several files: the first")
        << QStringList{QStringLiteral("a.dat"), QStringLiteral("b.dat")} << "a.dat" << 0;
    QTest::newRow("a directory is ignored") << QStringList{QStringLiteral("dir")} << "" << 0;
    QTest::newRow("a directory, then a file")
        << QStringList{QStringLiteral("dir"), QStringLiteral("b.dat")} << "b.dat" << 0;
    QTest::newRow("a file that cannot be read")
        << QStringList{QStringLiteral("missing")} << "missing" << 1;
    QTest::newRow("not a local file")
        << QStringList{QStringLiteral("https://example.org/a.dat")} << "" << 0;
}

void TestOpenFromOutside::drop() {
    QFETCH(QStringList, dropped);
    QFETCH(QString, opened);
    QFETCH(int, messages);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
    QVERIFY(QFile::copy(samplePath("naca2412.dat"), dir.filePath(QStringLiteral("a.dat"))));
    QVERIFY(QFile::copy(samplePath("naca0012.dat"), dir.filePath(QStringLiteral("b.dat"))));
    QList<QUrl> urls;
    for (const QString& name : dropped) {
        urls << (name.contains(QLatin1Char(':')) ? QUrl(name)
                                                 : QUrl::fromLocalFile(dir.filePath(name)));
    }

    Window window;
    QCOMPARE(testing::drop(window.form.get(), urls), !opened.isEmpty());
    QCOMPARE(window.state.DataPath, opened.isEmpty() ? QString() : dir.filePath(opened));
    QCOMPARE(window.dialogs->messages.size(), messages);
    if (messages == 0 && !opened.isEmpty()) {
        Window viaDialog;
        viaDialog.dialogs->openAnswers << dir.filePath(opened);
        viaDialog.form->CommandInF_Click();
        QCOMPARE(window.texts(), viaDialog.texts());
    }
}

void TestOpenFromOutside::secondDropReplacesFirst() {
    Window window;
    QVERIFY(testing::drop(window.form.get(), {QUrl::fromLocalFile(samplePath("naca2412.dat"))}));
    QVERIFY(testing::drop(window.form.get(), {QUrl::fromLocalFile(samplePath("naca0012.dat"))}));
    QCOMPARE(window.state.DataName, QStringLiteral("naca0012.dat"));
    QCOMPARE(window.child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("NACA 0012"));
}

void TestOpenFromOutside::dropOnValueBoxOpensFile() {
    Window window;
    auto* box = window.child<QLineEdit>(QStringLiteral("Text3"));
    QVERIFY(testing::drop(box, {QUrl::fromLocalFile(samplePath("naca2412.dat"))}));
    QCOMPARE(window.state.DataPath, samplePath("naca2412.dat"));
    QVERIFY(!box->text().contains(QStringLiteral("naca2412")));
}

void TestOpenFromOutside::captionsAreAnnounced() {
    QTemporaryDir program;
    QVERIFY(
        QFile::copy(samplePath("Language.txt"), program.filePath(QStringLiteral("Language.txt"))));
    Window window;
    window.state.InitDir = program.path();
    window.state.Language = 1;
    window.form->ReadLanguage();
    window.form->openFile(samplePath("naca2412.dat"));

    const auto checkNames = [&window] {
        for (int k = 1; k <= 8; ++k) {
            const QString label = window.child<QLabel>(QStringLiteral("Label%1").arg(k))->text();
            QVERIFY(!label.isEmpty());
            QCOMPARE(window.accessibleName(QStringLiteral("Text%1").arg(k)), label);
        }
        QCOMPARE(window.accessibleName(QStringLiteral("TextScale")),
                 window.child<QLabel>(QStringLiteral("LabelScale"))->text());
        QCOMPARE(window.accessibleName(QStringLiteral("TextPrinterScale")),
                 window.child<QLabel>(QStringLiteral("LabelPrinterScale"))->text());
    };
    checkNames();
    const QString english = window.accessibleName(QStringLiteral("TextScale"));
    window.child<QAction>(QStringLiteral("mnuSetLang1"))->trigger();
    checkNames();
    QVERIFY(window.accessibleName(QStringLiteral("TextScale")) != english);

    QAccessibleInterface* plot =
        QAccessible::queryAccessibleInterface(window.child(QStringLiteral("Picture1")));
    QVERIFY(!plot->text(QAccessible::Name).isEmpty());
    QCOMPARE(plot->text(QAccessible::Description), QStringLiteral("NACA 2412"));
}

QTEST_MAIN(TestOpenFromOutside)
#include "tst_openfromoutside.moc"
