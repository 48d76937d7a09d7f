// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "WindowFixture.h"
#include "render/PlotStyle.h"
#include "ui/FormMain.h"
#include "ui/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;
using vandrix::testing::samplePath;
using vandrix::testing::writeFile;

namespace {

const QRgb Blue = PlotGridColor.rgb() & 0xFFFFFF;
const QRgb White = PlotBackColor.rgb() & 0xFFFFFF;
const QRgb Black = PlotCurveColor.rgb() & 0xFFFFFF;

}  // namespace

// The real window, driven offscreen with scripted dialogs.
class TestFormMain : public QObject, private testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlGeometry_data();
    void controlGeometry();
    void builtState();
    void tabOrderAndFocus();
    void openShowsFileAndPlot();
    void openStartsInProgramDirectory();
    void redrawAtNewScale();
    void scaleEntry_data();
    void scaleEntry();
    void clampedScaleDoesNotRedraw();
    void enterRule();
    void redrawWithoutDataFile();
    void typedScaleWithoutEnterIsNotUsed();
    void cancelRereadsEarlierFile();
    void nameEndingWithSeparator();
    void vanishedFileStillRedraws();
    void labelsArePlainText();

private:
    template <typename T>
    T* child(const char* name) const {
        T* widget = form->findChild<T*>(QLatin1String(name));
        if (widget == nullptr) {
            qFatal("no control %s", name);
        }
        return widget;
    }
    QImage image() const { return form->picture().image(); }
    QRgb pixelAt(double x, double y) const {
        const QPointF p = form->picture().toPixel(x, y);
        return image().pixel(qRound(p.x()), qRound(p.y())) & 0xFFFFFF;
    }
    void openSample(const char* name = "naca2412.dat") {
        dialogs->openAnswers << samplePath(name);
        child<QPushButton>("CommandInF")->click();
    }
    // Blanks the picture to its ground, so that only a new drawing shows.
    void blankPicture() {
        form->picture().setBackColor(PlotBackColor);
        QCOMPARE(pixelAt(900, 250), White);
    }
    void typeAndEnter(const char* box, const QString& text) {
        auto* edit = child<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

void TestFormMain::init() {
    state.ScreenScale = 1000;
    open();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestFormMain::cleanup() {
    QVERIFY(close());
}

// Where the header rows' layout could slip: the first and last rows (a row index off by one),
// the wide title box beside the narrow value boxes, the wider gap above row 6; and the picture,
// which the plot fills. The other controls are placed by one literal each.
void TestFormMain::controlGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("first row's label") << "Label1" << QRect(232, 16, 185, 25);
    QTest::newRow("title box, wide") << "Text1" << QRect(416, 16, 585, 25);
    QTest::newRow("value box, narrow") << "Text2" << QRect(416, 40, 257, 25);
    QTest::newRow("row 6, after the wider gap") << "Label6" << QRect(232, 144, 185, 25);
    QTest::newRow("last row's value") << "Text8" << QRect(416, 192, 257, 25);
    QTest::newRow("picture") << "Picture1" << QRect(8, 232, 1000, 400);
}

void TestFormMain::controlGeometry() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QCOMPARE(child<QWidget>(qPrintable(name))->geometry(), pixels);
}

void TestFormMain::builtState() {
    QCOMPARE(form->centralWidget()->size(), QSize(15240 / 15, 9630 / 15));
    for (QWidget* control : form->centralWidget()->findChildren<QWidget*>(
             Qt::FindDirectChildrenOnly)) {  // the file list is never shown
        QCOMPARE(control->isVisible(), control->objectName() != QLatin1String("File1"));
    }
    QCOMPARE(form->windowTitle(), QString());
    QCOMPARE(form->picture().image().size(), QSize(996, 396));
    QCOMPARE(form->picture().frameWidth(), 2);
    QCOMPARE(pixelAt(0, 0), White);
    for (const char* name : {"CommandInF", "CommandRePaint", "CommandPrinterOutput"}) {
        QCOMPARE(child<QPushButton>(name)->text(), QString());
    }
    for (const char* name : {"LabelScale", "LabelPrinterScale", "Label1", "Label8"}) {
        QCOMPARE(child<QLabel>(name)->text(), QString());
    }
    for (const char* name : {"TextScale", "TextPrinterScale", "Text1", "Text8"}) {
        QCOMPARE(child<QLineEdit>(name)->text(), QString());
    }
    QCOMPARE(child<QMenu>("mnuFile")->title(), QStringLiteral("1"));
    QCOMPARE(child<QAction>("mnuFileItem0")->text(), QStringLiteral("a"));
    QCOMPARE(child<QMenu>("mnuSet")->title(), QStringLiteral("2"));
    QCOMPARE(child<QMenu>("mnuSetItem0")->title(), QStringLiteral("b"));
    QCOMPARE(child<QAction>("mnuSetLang0")->text(), QStringLiteral("a"));
    QCOMPARE(child<QAction>("mnuSetLang1")->text(), QStringLiteral("b"));
    const QFont font = child<QPushButton>("CommandInF")->font();
    QCOMPARE(font.family(), QStringLiteral("ＭＳ Ｐ明朝"));
    QCOMPARE(font.pointSize(), 12);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAPMincho"));
}

void TestFormMain::tabOrderAndFocus() {
    form->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>("CommandInF"));
    const QStringList expected = {"TextScale",
                                  "CommandRePaint",
                                  "Text1",
                                  "Text2",
                                  "Text3",
                                  "Text4",
                                  "Text5",
                                  "Text6",
                                  "Text7",
                                  "Text8",
                                  "CommandPrinterOutput",
                                  "TextPrinterScale",
                                  "CommandInF"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestFormMain::openShowsFileAndPlot() {
    openSample();
    QCOMPARE(dialogs->messages, QStringList());
    QCOMPARE(state.DataName, QStringLiteral("naca2412.dat"));
    QCOMPARE(state.DataPath, samplePath("naca2412.dat"));
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Name"));
    QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("NACA 2412"));
    QCOMPARE(child<QLabel>("Label2")->text(), QStringLiteral("No."));
    QCOMPARE(child<QLineEdit>("Text2")->text(), QStringLiteral("2412"));
    QCOMPARE(child<QLabel>("Label8")->text(), QStringLiteral("Points"));
    QCOMPARE(child<QLineEdit>("Text8")->text(), QStringLiteral("201"));

    // Grid at scale 1000: x = 0 .. 1000 step 100, y = -100 .. 300 step 100.
    QCOMPARE(pixelAt(900, 250), Blue);
    QCOMPARE(pixelAt(0, 250), Blue);
    QCOMPARE(pixelAt(450, 300), Blue);
    QCOMPARE(pixelAt(450, -100), Blue);
    QCOMPARE(pixelAt(1050, 250), White);
    QCOMPARE(pixelAt(450, 350), White);
    // The upper surface at mid-chord, drawn in the picture's text colour.
    const double x = 1000 * state.PointX(1, 100);
    const double y = 1000 * state.PointY(1, 100);
    QCOMPARE(pixelAt(x, y), Black);
}

void TestFormMain::openStartsInProgramDirectory() {
    state.InitDir = QStringLiteral("/some/program/dir");
    child<QPushButton>("CommandInF")->click();
    QCOMPARE(dialogs->openDirs, QStringList{state.InitDir});
    QCOMPARE(state.DataName, QString());
    QCOMPARE(pixelAt(0, 0), White);  // nothing chosen, nothing drawn
}

void TestFormMain::redrawAtNewScale() {
    openSample();
    QCOMPARE(pixelAt(1000, 250), Blue);
    typeAndEnter("TextScale", QStringLiteral("1200"));
    QCOMPARE(state.ScreenScale, std::int16_t(1200));
    QCOMPARE(child<QLineEdit>("TextScale")->text(), QStringLiteral("1200"));
    QCOMPARE(pixelAt(1200, 250), Blue);
    QCOMPARE(pixelAt(1000, 250), White);  // the old right edge is gone
    QCOMPARE(pixelAt(1200, 360), Blue);   // top grid line at 360
    QCOMPARE(dialogs->messages, QStringList());
}

void TestFormMain::scaleEntry_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("1400.5 rounds down") << "1400.5" << 1400 << "1400"
                                        << "";
    // How text becomes a number is TextToInt16's: tst_settingsfile valueLines, tst_conversions.
    QTest::newRow("empty") << "" << 0 << "0"
                           << "";
    QTest::newRow("negative") << "-300" << -300 << "-300"
                              << "";
    QTest::newRow("1401.5 clamps") << "1401.5" << 1400 << "1400"
                                   << "Max = 1400";
    QTest::newRow("40000 overflows") << "40000" << 777 << "keep"
                                     << "Overflow";
    QTest::newRow("1e400 overflows") << "1e400" << 777 << "keep"
                                     << "Overflow";
}

void TestFormMain::scaleEntry() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    state.ScreenScale = 777;
    auto* box = child<QLineEdit>("TextScale");
    box->setText(typed);
    child<QPushButton>("CommandRePaint")->click();
    QCOMPARE(int(state.ScreenScale), stored);
    QCOMPARE(box->text(), shown == QLatin1String("keep") ? typed : shown);
    QCOMPARE(dialogs->messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void TestFormMain::clampedScaleDoesNotRedraw() {
    openSample();
    const QImage before = image();
    child<QLineEdit>("TextScale")->setText(QStringLiteral("2000"));
    child<QPushButton>("CommandRePaint")->click();
    QCOMPARE(dialogs->messages, QStringList{QStringLiteral("Max = 1400")});
    QCOMPARE(state.ScreenScale, std::int16_t(1400));
    QCOMPARE(image(), before);
    child<QPushButton>("CommandRePaint")->click();  // again: now redraws at 1400
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(image() != before);
    QCOMPARE(pixelAt(1400, 250), Blue);
}

void TestFormMain::enterRule() {
    auto* box = child<QLineEdit>("TextScale");
    box->clear();
    QTest::keyClicks(box, QStringLiteral("15x0"));
    QCOMPARE(box->text(), QStringLiteral("15x0"));  // every character but Enter goes in
    box->setText(QStringLiteral("9999"));
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(dialogs->messages, QStringList{QStringLiteral("Max = 1400")});  // handler ran once
    QCOMPARE(box->text(), QStringLiteral("1400"));  // as the handler left it, no Enter in it
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(box->text(), QStringLiteral("1400"));
}

void TestFormMain::redrawWithoutDataFile() {
    const QImage before = image();
    typeAndEnter("TextScale", QStringLiteral("500"));
    QCOMPARE(state.ScreenScale, std::int16_t(500));
    QCOMPARE(child<QLineEdit>("TextScale")->text(), QStringLiteral("500"));
    QCOMPARE(image(), before);
}

void TestFormMain::typedScaleWithoutEnterIsNotUsed() {
    child<QLineEdit>("TextScale")->setText(QStringLiteral("500"));
    openSample();
    QCOMPARE(state.ScreenScale, std::int16_t(1000));
    QCOMPARE(pixelAt(1000, 250), Blue);
}

void TestFormMain::cancelRereadsEarlierFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.dat"));
    QVERIFY(writeFile(path, testing::readAll(samplePath("naca2412.dat"))));
    dialogs->openAnswers << path;
    child<QPushButton>("CommandInF")->click();
    QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("NACA 2412"));

    // The file changes on disk; cancelling the dialog reads and draws it again.
    QByteArray changed = testing::readAll(samplePath("naca2412.dat"));
    changed.replace("Name:NACA 2412", "Name:Changed");
    QVERIFY(writeFile(path, changed));
    blankPicture();
    child<QPushButton>("CommandInF")->click();  // the script has no answer left: cancelled
    QCOMPARE(dialogs->openDirs.size(), 2);
    QCOMPARE(state.DataPath, path);
    QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("Changed"));
    QCOMPARE(pixelAt(900, 250), Blue);
}

void TestFormMain::nameEndingWithSeparator() {
    state.FileErrorMessage = QStringLiteral("Unusable file");
    openSample();
    blankPicture();
    dialogs->openAnswers << QStringLiteral("/tmp/");
    child<QPushButton>("CommandInF")->click();
    QCOMPARE(dialogs->messages, QStringList{QStringLiteral("Unusable file")});
    QCOMPARE(state.DataName, QString());
    QCOMPARE(state.DataPath, samplePath("naca2412.dat"));
    QCOMPARE(pixelAt(900, 250), White);  // nothing read or drawn
}

void TestFormMain::vanishedFileStillRedraws() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone.dat"));
    QVERIFY(writeFile(path, testing::readAll(samplePath("naca2412.dat"))));
    dialogs->openAnswers << path;
    child<QPushButton>("CommandInF")->click();
    QVERIFY(QFile::remove(path));
    blankPicture();
    child<QPushButton>("CommandInF")->click();  // cancelled: re-read of a file that is gone
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY2(dialogs->messages[0].contains(path), qPrintable(dialogs->messages[0]));
    QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("NACA 2412"));
    QCOMPARE(pixelAt(900, 250), Blue);  // drawn again from the points it had
}

void TestFormMain::labelsArePlainText() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("html.dat"));
    QByteArray bytes = testing::readAll(samplePath("naca2412.dat"));
    bytes.replace("Name:NACA 2412", "<b>Name</b>:NACA 2412");
    QVERIFY(writeFile(path, bytes));
    dialogs->openAnswers << path;
    child<QPushButton>("CommandInF")->click();
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("<b>Name</b>"));
    QCOMPARE(child<QLabel>("Label1")->textFormat(), Qt::PlainText);
}

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
