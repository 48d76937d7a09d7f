// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFiles.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "export/TemplateRequest.h"
#include "formats/LanguageFile.h"
#include "ui/FormMain.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <memory>

using namespace vandrix;

// File > Template...: the dialog answered from a script, the files it writes and what it says.
class TestTemplate : public QObject, private testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesTheChosenFiles_data();
    void writesTheChosenFiles();
    void badValues_data();
    void badValues();
    void ribThatCannotBeBuilt_data();
    void ribThatCannotBeBuilt();
    void neverReplacesTheDataFile_data();
    void neverReplacesTheDataFile();
    void cancelledWritesNothing();
    void nextDialogKeepsFeatures();
    void noDataFile_data();
    void noDataFile();
    void menuAndCaptions_data();
    void menuAndCaptions();

private:
    // Opens a copy of the sample in `data` as the data file.
    void openData(const QString& fileName = QStringLiteral("naca2412.dat")) {
        const QString path = data->filePath(fileName);
        QVERIFY(QFile::copy(testing::samplePath("naca2412.dat"), path));
        dialogs->openAnswers << path;
        form->findChild<QPushButton*>(QStringLiteral("CommandInF"))->click();
        QCOMPARE(dialogs->messages, QStringList());
    }
    // Scripts the dialog's answer: the boxes as `change` leaves them, written next to `name`.
    void answer(const std::function<void(TemplateAnswer&)>& change, const QString& name) {
        dialogs->templateAnswer = [this, change, name](const LanguageRead& captions,
                                                       TemplateAnswer& given) {
            shown = given;
            shownCaptions = captions;
            change(given);
            given.name = name;
            return true;
        };
    }
    void chooseFileItem() { form->findChild<QAction*>(QStringLiteral("mnuFileItem1"))->trigger(); }
    QStringList written() const {
        return QDir(out->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> program;
    std::unique_ptr<QTemporaryDir> data;
    std::unique_ptr<QTemporaryDir> out;
    TemplateAnswer shown;  // what the dialog was shown
    LanguageRead shownCaptions;
};

void TestTemplate::init() {
    program = std::make_unique<QTemporaryDir>();
    data = std::make_unique<QTemporaryDir>();
    out = std::make_unique<QTemporaryDir>();
    state.InitDir = program->path();
    state.ScreenScale = 1000;
    state.PrinterScale = 150.5;
    state.Language = 1;
    state.LangFontName = QStringLiteral("DejaVu Serif");
    shown = TemplateAnswer();
    open();
}

void TestTemplate::cleanup() {
    QVERIFY(close());
    program.reset();
    data.reset();
    out.reset();
}

void TestTemplate::writesTheChosenFiles_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("formats");  // of "dps"
    QTest::addColumn<QString>("features");
    QTest::addColumn<QStringList>("files");
    const QStringList all = {"rib-template.pdf", "rib-template.svg", "rib.dxf"};
    QTest::newRow("all three") << "rib"
                               << "dps"
                               << "" << all;
    QTest::newRow("a chosen .dxf is the base") << "rib.DXF"
                                               << "dps"
                                               << "" << all;
    QTest::newRow("a chosen template is the base") << "rib-template.pdf"
                                                   << "dps"
                                                   << "" << all;
    QTest::newRow("DXF only") << "rib"
                              << "d"
                              << "" << QStringList{"rib.dxf"};
    QTest::newRow("PDF and SVG") << "rib"
                                 << "ps"
                                 << "" << QStringList{"rib-template.pdf", "rib-template.svg"};
    QTest::newRow("every feature") << "rib"
                                   << "dps"
                                   << "features" << all;
}

void TestTemplate::writesTheChosenFiles() {
    QFETCH(QString, chosen);
    QFETCH(QString, formats);
    QFETCH(QString, features);
    QFETCH(QStringList, files);
    openData();
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("My rib"));
    answer(
        [&](TemplateAnswer& a) {
            a.chord = QStringLiteral("200");
            a.dxf = formats.contains(u'd');
            a.pdf = formats.contains(u'p');
            a.svg = formats.contains(u's');
            if (!features.isEmpty()) {
                a.teThickness = QStringLiteral(" 0.8 ");
                a.inset = QStringLiteral("1.5");
                a.spars = QStringLiteral(" 25:6:5   60:4:3:lower ");
            }
        },
        out->filePath(chosen));
    chooseFileItem();
    QCOMPARE(dialogs->messages, QStringList());
    // The dialog starts at the printer scale, every format, beside the data file.
    QCOMPARE(shown.chord, QStringLiteral("150.5"));
    QVERIFY(shown.dxf && shown.pdf && shown.svg);
    QVERIFY(shown.teThickness.isEmpty() && shown.inset.isEmpty() && shown.spars.isEmpty());
    QCOMPARE(shown.name, data->filePath(QStringLiteral("naca2412")));

    QCOMPARE(written(), files);
    const QString base = out->filePath(QStringLiteral("rib"));
    if (formats.contains(u'd')) {
        const QByteArray dxf = testing::readAll(base + QLatin1String(".dxf"));
        QVERIFY(dxf.contains("LWPOLYLINE"));
        // Text1 names the rib, at the chord asked for.
        QVERIFY(dxf.contains("My rib, chord 200 mm"));
        QCOMPARE(dxf.count("\nLWPOLYLINE"), 1);
    }
    if (formats.contains(u'p')) {
        QVERIFY(testing::readAll(base + QLatin1String("-template.pdf")).startsWith("%PDF-1."));
    }
    if (formats.contains(u's')) {
        const QByteArray svg = testing::readAll(base + QLatin1String("-template.svg"));
        QVERIFY(svg.contains("<svg"));
        QVERIFY(svg.contains("width=\"2"));  // about 200 mm wide
    }
}

void TestTemplate::badValues_data() {
    QTest::addColumn<QStringList>("values");  // chord, te, inset, spars, formats, name
    QTest::addColumn<QStringList>("messages");
    const auto row = [](const char* name, const QStringList& values, const QStringList& messages) {
        QTest::newRow(name) << values << messages;
    };
    // Each value's reasons are tst_templatevalues'; here the readers, subjects and spar list.
    row("chord 0", {"0", "", "", "", "dps", "rib"}, {"Chord 0: a chord is 1 to 5,000 mm"});
    row("chord empty", {" ", "", "", "", "dps", "rib"}, {"Chord: not a number"});
    row("spar malformed", {"200", "", "", "25:6:5 30:6", "dps", "rib"},
        {"Spar notch 30:6: not POS:WIDTH:DEPTH[:upper|lower|both]"});
    row("no format", {"200", "", "", "", "", "rib"},
        {"Choose at least one of DXF, PDF template and SVG template."});
    row("no name", {"200", "", "", "", "dps", ".dxf"},
        {"Choose a name to write the templates next to."});
    row("one message each, in order", {"abc", "-1", "x", "1:2", "dps", "rib"},
        {"Chord abc: not a number", "Trailing-edge thickness -1: not a length of 0 mm or more",
         "Inset x: not a number", "Spar notch 1:2: not POS:WIDTH:DEPTH[:upper|lower|both]"});
}

void TestTemplate::badValues() {
    QFETCH(QStringList, values);
    QFETCH(QStringList, messages);
    openData();
    answer(
        [&](TemplateAnswer& a) {
            a.chord = values[0];
            a.teThickness = values[1];
            a.inset = values[2];
            a.spars = values[3];
            a.dxf = values[4].contains(u'd');
            a.pdf = values[4].contains(u'p');
            a.svg = values[4].contains(u's');
        },
        out->filePath(values[5]));
    chooseFileItem();
    QCOMPARE(dialogs->messages, messages);
    QCOMPARE(written(), QStringList());
    QVERIFY(CheckTemplateAnswer(shown));  // what the dialog started with is good
}

void TestTemplate::ribThatCannotBeBuilt_data() {
    QTest::addColumn<QString>("inset");
    QTest::addColumn<QString>("spars");
    QTest::addColumn<QString>("reason");
    QTest::newRow("an inset that leaves nothing") << "30"
                                                  << ""
                                                  << "inset";
    QTest::newRow("a notch that cuts through") << ""
                                               << "30:4:20:both"
                                               << "through";
    QTest::newRow("a notch wider than the chord") << ""
                                                  << "50:120:1"
                                                  << "wider";
}

void TestTemplate::ribThatCannotBeBuilt() {
    QFETCH(QString, inset);
    QFETCH(QString, spars);
    QFETCH(QString, reason);
    openData();
    answer(
        [&](TemplateAnswer& a) {
            a.chord = QStringLiteral("100");
            a.inset = inset;
            a.spars = spars;
        },
        out->filePath(QStringLiteral("rib")));
    chooseFileItem();
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY2(dialogs->messages[0].startsWith(state.DataPath + QStringLiteral(": ")),
             qPrintable(dialogs->messages[0]));
    QVERIFY2(dialogs->messages[0].contains(reason), qPrintable(dialogs->messages[0]));
    QCOMPARE(written(), QStringList());
}

void TestTemplate::neverReplacesTheDataFile_data() {
    QTest::addColumn<bool>("hardLink");
    QTest::newRow("by its name") << false;
    QTest::newRow("by a hard link") << true;
}

void TestTemplate::neverReplacesTheDataFile() {
    QFETCH(bool, hardLink);
    // A data file that carries a template's name, or is the same file as one.
    openData(QStringLiteral("wing.dxf"));
    const QByteArray before = testing::readAll(state.DataPath);
    const QString dxf = hardLink ? out->filePath(QStringLiteral("rib.dxf")) : state.DataPath;
    if (hardLink) {
        QCOMPARE(::link(QFile::encodeName(state.DataPath).constData(),
                        QFile::encodeName(dxf).constData()),
                 0);
    }
    answer([](TemplateAnswer& a) { a.chord = QStringLiteral("100"); }, dxf.chopped(4));
    chooseFileItem();
    QCOMPARE(dialogs->messages, QStringList{dxf + QStringLiteral(" would replace the data file.")});
    QCOMPARE(testing::readAll(state.DataPath), before);
    QCOMPARE(QDir(data->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("wing.dxf")});
}

void TestTemplate::cancelledWritesNothing() {
    openData();
    chooseFileItem();  // no script: cancelled
    QCOMPARE(dialogs->templateDialogs, 1);
    QCOMPARE(dialogs->messages, QStringList());
    QCOMPARE(QDir(data->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("naca2412.dat")});
}

// The second use starts from the first's features and formats; the chord and the name start
// from the printer scale and the data file again, and a cancelled dialog changes nothing.
void TestTemplate::nextDialogKeepsFeatures() {
    openData();
    answer(
        [](TemplateAnswer& a) {
            a.chord = QStringLiteral("300");
            a.teThickness = QStringLiteral("0.5");
            a.inset = QStringLiteral("1.5");
            a.spars = QStringLiteral("30:6:4 60:4:3:lower");
            a.pdf = false;
        },
        out->filePath(QStringLiteral("first")));
    chooseFileItem();
    QCOMPARE(dialogs->messages, QStringList());
    state.PrinterScale = 120;
    dialogs->templateAnswer = nullptr;  // cancelled
    chooseFileItem();
    answer([](TemplateAnswer&) {}, out->filePath(QStringLiteral("second")));
    chooseFileItem();
    QCOMPARE(dialogs->templateDialogs, 3);
    QCOMPARE((QStringList{shown.chord, shown.teThickness, shown.inset, shown.spars, shown.name}),
             (QStringList{"120", "0.5", "1.5", "30:6:4 60:4:3:lower",
                          data->filePath(QStringLiteral("naca2412"))}));
    QCOMPARE((QList<bool>{shown.dxf, shown.pdf, shown.svg}), (QList<bool>{true, false, true}));
}

void TestTemplate::noDataFile_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("language 1")
        << 1 << "Open a data file first: the template is drawn from its section.";
    QTest::newRow("language 2")
        << 2 << "先にデータファイルを開いてください。型紙はその翼型から作られます。";
}

void TestTemplate::noDataFile() {
    QFETCH(int, language);
    QFETCH(QString, message);
    QVERIFY(QFile::copy(testing::samplePath("Language.txt"),
                        program->filePath(QStringLiteral("Language.txt"))));
    state.Language = static_cast<std::int16_t>(language);
    form->ReadLanguage();
    answer([](TemplateAnswer&) {}, out->filePath(QStringLiteral("rib")));
    chooseFileItem();
    QCOMPARE(dialogs->messages, QStringList{message});
    QCOMPARE(dialogs->templateDialogs, 0);
    QCOMPARE(written(), QStringList());
}

void TestTemplate::menuAndCaptions_data() {
    QTest::addColumn<QString>("file");  // "shipped", "old" (fourteen sections) or "new"
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("chord");  // the dialog's chord caption
    QTest::newRow("shipped, language 1") << "shipped" << 1 << "&Template..."
                                         << "&Chord (mm)";
    QTest::newRow("shipped, language 2") << "shipped" << 2 << "型紙(&T)..."
                                         << "翼弦長(&C)（mm）";
    // Beside the test there is no shipped file: an older file's new captions are English.
    QTest::newRow("old, language 1") << "old" << 1 << "&Template..."
                                     << "&Chord (mm)";
    QTest::newRow("old, language 2") << "old" << 2 << "&Template..."
                                     << "&Chord (mm)";
    QTest::newRow("new, language 1")
        << "new" << 1 << testing::lineFor(2, 15, 1) << testing::lineFor(2, 17, 1);
    QTest::newRow("new, language 2")
        << "new" << 2 << testing::lineFor(2, 15, 2) << testing::lineFor(2, 17, 2);
}

void TestTemplate::menuAndCaptions() {
    QFETCH(QString, file);
    QFETCH(int, language);
    QFETCH(QString, item);
    QFETCH(QString, chord);
    const QString path = program->filePath(QStringLiteral("Language.txt"));
    if (file == QLatin1String("shipped")) {
        QVERIFY(QFile::copy(testing::samplePath("Language.txt"), path));
    } else {
        const int sections =
            file == QLatin1String("old") ? FirstLanguageSectionCount : LanguageSectionCount;
        QVERIFY(testing::writeFile(
            path, testing::numberedLanguageFile("2", testing::completeLength(2, sections))));
    }
    state.Language = static_cast<std::int16_t>(language);
    form->ReadLanguage();
    QCOMPARE(dialogs->messages, QStringList());

    // The exit item stays first, with its caption; the template item follows it, then the
    // library's.
    const QList<QAction*> items = form->findChild<QMenu*>(QStringLiteral("mnuFile"))->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->objectName(), QStringLiteral("mnuFileItem0"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("mnuFileItem1"));
    QCOMPARE(items[2]->objectName(), QStringLiteral("mnuFileItem2"));
    if (file != QLatin1String("shipped")) {
        QCOMPARE(items[0]->text(), testing::lineFor(2, 12, language));
    }
    QCOMPARE(items[1]->text(), item);

    openData();
    answer([](TemplateAnswer&) {}, QString());
    dialogs->templateAnswer = [this](const LanguageRead& captions, TemplateAnswer&) {
        shownCaptions = captions;
        return false;
    };
    chooseFileItem();
    QCOMPARE(Caption(shownCaptions, LanguageSection::TemplateChord), chord);
}

QTEST_MAIN(TestTemplate)
#include "tst_template.moc"
