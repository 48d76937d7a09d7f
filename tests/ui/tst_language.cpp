// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFiles.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "session/Startup.h"
#include "ui/FormMain.h"
#include "ui/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;
using vandrix::testing::numberedLanguageFile;

// The window's captions from the language file, and switching language at run time.
class TestLanguage : public QObject, private testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionsOfTheCurrentLanguage_data();
    void captionsOfTheCurrentLanguage();
    void languageOutsideOnlySetsMenuItems();
    void singleLanguageLeavesSecondItem();
    void missingFileKeepsCaptions();
    void startUpAppliesLanguageAndFont();
    void switchRereadsDataFileWithoutRedraw();
    void switchWithoutDataFile();
    void switchWithMissingFileStillSwitchesLabels();
    void japaneseFontIsInstalled();

private:
    template <typename T>
    T* child(const char* name) const {
        return form->findChild<T*>(QLatin1String(name));
    }
    void useShippedLanguageFile() {
        QVERIFY(QFile::copy(testing::samplePath("Language.txt"),
                            program->filePath(QStringLiteral("Language.txt"))));
    }

    std::unique_ptr<QTemporaryDir> program;
};

void TestLanguage::init() {
    program = std::make_unique<QTemporaryDir>();
    state.InitDir = program->path();
    state.ScreenScale = 1000;
    open();
}

void TestLanguage::cleanup() {
    QVERIFY(close());
    program.reset();
}

void TestLanguage::captionsOfTheCurrentLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("language 1") << 1;
    QTest::newRow("language 2") << 2;
}

void TestLanguage::captionsOfTheCurrentLanguage() {
    QFETCH(int, language);
    QVERIFY(testing::writeFile(program->filePath(QStringLiteral("Language.txt")),
                               numberedLanguageFile("2", 44)));
    state.Language = static_cast<std::int16_t>(language);
    form->ReadLanguage();
    const auto line = [language](int section) { return testing::lineFor(2, section, language); };
    QCOMPARE(dialogs->messages, QStringList());
    QCOMPARE(child<QAction>("mnuSetLang0")->text(), QStringLiteral("L4"));
    QCOMPARE(child<QAction>("mnuSetLang1")->text(), QStringLiteral("L5"));
    QCOMPARE(state.LangFontName, line(2));
    QCOMPARE(form->windowTitle(), line(3));
    QCOMPARE(child<QPushButton>("CommandInF")->text(), line(5));
    QCOMPARE(state.FileErrorMessage, line(6));
    QCOMPARE(child<QLabel>("LabelScale")->text(), line(7));
    QCOMPARE(child<QPushButton>("CommandRePaint")->text(), line(8));
    QCOMPARE(child<QLabel>("LabelPrinterScale")->text(), line(9));
    QCOMPARE(child<QPushButton>("CommandPrinterOutput")->text(), line(10));
    QCOMPARE(child<QMenu>("mnuFile")->title(), line(11));
    QCOMPARE(child<QAction>("mnuFileItem0")->text(), line(12));
    QCOMPARE(child<QMenu>("mnuSet")->title(), line(13));
    QCOMPARE(child<QMenu>("mnuSetItem0")->title(), line(14));
}

void TestLanguage::languageOutsideOnlySetsMenuItems() {
    QVERIFY(testing::writeFile(program->filePath(QStringLiteral("Language.txt")),
                               numberedLanguageFile("2", 44)));
    state.Language = 0;
    form->ReadLanguage();
    QCOMPARE(child<QAction>("mnuSetLang1")->text(), QStringLiteral("L5"));
    QCOMPARE(form->windowTitle(), QString());
    QCOMPARE(child<QMenu>("mnuFile")->title(), QStringLiteral("1"));
    QCOMPARE(child<QPushButton>("CommandInF")->text(), QString());
    QCOMPARE(state.LangFontName, QString());
}

void TestLanguage::singleLanguageLeavesSecondItem() {
    QVERIFY(testing::writeFile(program->filePath(QStringLiteral("Language.txt")),
                               numberedLanguageFile("1", testing::completeLength(1))));
    state.Language = 1;
    form->ReadLanguage();
    QCOMPARE(child<QAction>("mnuSetLang0")->text(), QStringLiteral("L4"));
    QCOMPARE(child<QAction>("mnuSetLang1")->text(), QStringLiteral("b"));
    QCOMPARE(form->windowTitle(), QStringLiteral("L8"));
}

void TestLanguage::missingFileKeepsCaptions() {
    state.Language = 1;
    state.FileErrorMessage = QStringLiteral("kept");
    form->ReadLanguage();
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].contains(program->filePath(QStringLiteral("Language.txt"))));
    QCOMPARE(child<QMenu>("mnuFile")->title(), QStringLiteral("1"));
    QCOMPARE(child<QAction>("mnuSetLang0")->text(), QStringLiteral("a"));
    QCOMPARE(state.FileErrorMessage, QStringLiteral("kept"));
}

void TestLanguage::startUpAppliesLanguageAndFont() {
    useShippedLanguageFile();
    QVERIFY(testing::writeFile(
        program->filePath(QStringLiteral("Set.txt")),
        "//\r\n 2 \r\n//\r\n" + program->path().toUtf8() + "\r\n//\r\n 800 \r\n//\r\n 120 \r\n"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(program->path());
    Main(state, *form, *dialogs, QStringLiteral("vandrix"));
    QDir::setCurrent(previous);
    QCOMPARE(dialogs->messages, QStringList());
    QCOMPARE(form->windowTitle(), QStringLiteral("Vandrix"));
    QCOMPARE(child<QMenu>("mnuFile")->title(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(child<QLineEdit>("TextScale")->text(), QStringLiteral("800"));
    // The window's own font follows the language; the controls keep the face they were built with.
    QCOMPARE(form->font().family(), QStringLiteral("IPAPMincho"));
    QCOMPARE(form->font().pointSize(), 12);
    QCOMPARE(child<QPushButton>("CommandInF")->font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
}

void TestLanguage::switchRereadsDataFileWithoutRedraw() {
    useShippedLanguageFile();
    state.Language = 1;
    form->ReadLanguage();
    dialogs->openAnswers << testing::samplePath("naca2412.dat");
    child<QPushButton>("CommandInF")->click();
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Name"));
    // The plot is left as it stands; a changed scale shows that nothing redraws it.
    state.ScreenScale = 500;
    const QImage before = form->picture().image();

    child<QAction>("mnuSetLang1")->trigger();
    QCOMPARE(state.Language, std::int16_t(2));
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("名称"));
    QCOMPARE(child<QLabel>("Label8")->text(), QStringLiteral("点数"));
    QCOMPARE(child<QPushButton>("CommandRePaint")->text(), QStringLiteral("再描画(&R)"));
    QCOMPARE(form->picture().image(), before);

    child<QAction>("mnuSetLang0")->trigger();
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Name"));
    QCOMPARE(child<QPushButton>("CommandRePaint")->text(), QStringLiteral("&Redraw"));
    child<QAction>("mnuSetLang0")->trigger();  // the current language again: nothing changes
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Name"));
    QCOMPARE(form->picture().image(), before);
    QCOMPARE(dialogs->messages, QStringList());
}

void TestLanguage::switchWithoutDataFile() {
    useShippedLanguageFile();
    const QImage before = form->picture().image();
    form->mnuSetLang_Click(1);
    QCOMPARE(child<QMenu>("mnuSet")->title(), QStringLiteral("設定(&S)"));
    QCOMPARE(child<QLabel>("Label1")->text(), QString());
    QCOMPARE(form->picture().image(), before);
    QCOMPARE(dialogs->messages, QStringList());
    form->mnuSetLang_Click(7);  // no such item: the language stays, captions reload
    QCOMPARE(state.Language, std::int16_t(2));
}

void TestLanguage::switchWithMissingFileStillSwitchesLabels() {
    state.Language = 1;
    dialogs->openAnswers << testing::samplePath("naca4415.dat");
    child<QPushButton>("CommandInF")->click();
    dialogs->messages.clear();
    form->mnuSetLang_Click(1);
    QCOMPARE(dialogs->messages.size(), 1);
    QCOMPARE(child<QMenu>("mnuFile")->title(), QStringLiteral("1"));
    QCOMPARE(child<QLabel>("Label2")->text(), QStringLiteral("番号"));
}

void TestLanguage::japaneseFontIsInstalled() {
    QCOMPARE(QFontInfo(QFont(QStringLiteral("IPAPMincho"))).family(), QStringLiteral("IPAPMincho"));
    QCOMPARE(QFontInfo(QFont(QStringLiteral("DejaVu Serif"))).family(),
             QStringLiteral("DejaVu Serif"));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
