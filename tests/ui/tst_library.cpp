// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFiles.h"
#include "LibraryFolder.h"
#include "RecordingPaintDevice.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "render/PlotStyle.h"
#include "ui/LibraryWindow.h"
#include "ui/OverlayView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;
using vandrix::testing::PaintedOp;

namespace {

constexpr int FillTimeout = 30000;

int col(LibraryColumn column) {
    return static_cast<int>(column);
}

}  // namespace

// File > Library...: the window over a folder the test makes, driven as a user drives it.
class TestLibrary : public QObject, private testing::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnAFolder_data();
    void opensOnAFolder();
    void sortSelectAndOpen();
    void whatIsDrawn_data();
    void whatIsDrawn();
    void savePicture_data();
    void savePicture();
    void filterBoxes_data();
    void filterBoxes();
    void reloadAndSubfolders();
    void closingStopsTheFill();
    void captions_data();
    void captions();

private:
    // Opens a file of the folder in the main window through its open button.
    void openData(const QString& file) {
        dialogs->openAnswers << folder->filePath(file);
        child<QPushButton>(QStringLiteral("CommandInF"))->click();
    }
    // File > Library..., then waits until the folder is read.
    LibraryWindow* openLibrary() {
        form->findChild<QAction*>(QStringLiteral("mnuFileItem2"))->trigger();
        auto* library = form->findChild<LibraryWindow*>(QStringLiteral("FormLibrary"));
        if (library == nullptr || !library->isVisible() ||
            !QTest::qWaitFor([library] { return !library->model().filling(); }, FillTimeout)) {
            return nullptr;
        }
        return library;
    }
    template <typename T = QWidget>
    T* in(LibraryWindow* library, const char* name) const {
        return library->findChild<T*>(QLatin1String(name));
    }
    QStringList files(LibraryWindow* library) const {
        QStringList shown;
        const LibrarySortFilter& rows = library->rows();
        for (int r = 0; r < rows.rowCount(); ++r) {
            shown << rows.index(r, col(LibraryColumn::File)).data().toString();
        }
        return shown;
    }
    QPoint cellCentre(LibraryWindow* library, int row) const {
        auto* table = in<QTableView>(library, "TableLibrary");
        return table->visualRect(library->rows().index(row, 0)).center();
    }
    // Clicks the table's row that shows `file`, with `modifiers`.
    void clickFile(LibraryWindow* library, const QString& file,
                   Qt::KeyboardModifiers modifiers = {}) {
        const int row = static_cast<int>(files(library).indexOf(file));
        QVERIFY2(row >= 0, qPrintable(file));
        QTest::mouseClick(in<QTableView>(library, "TableLibrary")->viewport(), Qt::LeftButton,
                          modifiers, cellCentre(library, row));
    }
    void clickHeader(LibraryWindow* library, LibraryColumn column) {
        QHeaderView* header = in<QTableView>(library, "TableLibrary")->horizontalHeader();
        const int c = col(column);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2,
                                 header->height() / 2));
    }
    QStringList drawnNames(LibraryWindow* library) const {
        QStringList names;
        for (const OverlaySection& section : in<OverlayView>(library, "PlotOverlay")->sections()) {
            names << section.name;
        }
        return names;
    }

    std::unique_ptr<QTemporaryDir> program;
    std::unique_ptr<QTemporaryDir> folder;
};

void TestLibrary::init() {
    program = std::make_unique<QTemporaryDir>();
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(testing::makeLibraryFolder(folder->path()));
    state.InitDir = program->path();
    state.ScreenScale = 1000;
    state.PrinterScale = 150;
    state.Language = 1;
    open();
}

void TestLibrary::cleanup() {
    QVERIFY(close());
    program.reset();
    folder.reset();
}

void TestLibrary::opensOnAFolder_data() {
    QTest::addColumn<QString>("before");    // what the user did first
    QTest::addColumn<QString>("expected");  // "data", "program" or "chosen"
    QTest::newRow("a data file shown") << "data"
                                       << "data";
    QTest::newRow("no data file") << ""
                                  << "program";
    QTest::newRow("a folder chosen, then a data file opened elsewhere") << "chosen"
                                                                        << "chosen";
}

void TestLibrary::opensOnAFolder() {
    QFETCH(QString, before);
    QFETCH(QString, expected);
    if (before == QLatin1String("data")) {
        openData(QStringLiteral("e-data.dat"));
    }
    if (before == QLatin1String("chosen")) {
        LibraryWindow* library = openLibrary();
        QVERIFY(library);
        dialogs->folderAnswers << folder->path();
        in<QCheckBox>(library, "CheckSubfolders")->setChecked(true);
        in<QPushButton>(library, "CommandFolder")->click();
        QCOMPARE(dialogs->folderDirs, QStringList{program->path()});
        QVERIFY(library->close());
        QCOMPARE(library->model().rowCount(), 0);
        // A data file from elsewhere does not move the library from the folder chosen.
        QVERIFY(QFile::copy(testing::samplePath("naca2412.dat"),
                            program->filePath(QStringLiteral("naca2412.dat"))));
        dialogs->openAnswers << program->filePath(QStringLiteral("naca2412.dat"));
        child<QPushButton>(QStringLiteral("CommandInF"))->click();
    }
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    QVERIFY(library->isWindow());
    QVERIFY(!library->isModal());
    const QString path = expected == QLatin1String("program") ? program->path() : folder->path();
    QCOMPARE(library->model().folder(), path);
    QCOMPARE(in<QLabel>(library, "LabelFolder")->text(), QDir::toNativeSeparators(path));
    QVERIFY(library->windowTitle().endsWith(QDir::toNativeSeparators(path)));
    // The check box stays as it was left.
    const bool subfolders = expected == QLatin1String("chosen");
    QCOMPARE(in<QCheckBox>(library, "CheckSubfolders")->isChecked(), subfolders);
    QCOMPARE(library->model().subfolders(), subfolders);
    const QStringList listed = files(library);
    QCOMPARE(listed.contains(testing::LibrarySubfolderFile), subfolders);
    QCOMPARE(dialogs->messages, QStringList());
}

// Sorted by thickness with a click on its header and reversed by a second, two rows selected
// are drawn together; a double click and Enter open a row in the main window.
void TestLibrary::sortSelectAndOpen() {
    openData(QStringLiteral("e-data.dat"));
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    clickHeader(library, LibraryColumn::Thickness);
    QCOMPARE(files(library), (QStringList{"a-naca0009.dat", "d-negative.dat", "b-naca2412.dat",
                                          "e-data.dat", "c-naca6421.dat", "f-refused.dat"}));
    clickHeader(library, LibraryColumn::Thickness);
    QCOMPARE(files(library), (QStringList{"c-naca6421.dat", "e-data.dat", "b-naca2412.dat",
                                          "d-negative.dat", "a-naca0009.dat", "f-refused.dat"}));

    clickFile(library, QStringLiteral("c-naca6421.dat"));
    clickFile(library, QStringLiteral("b-naca2412.dat"), Qt::ControlModifier);
    QCOMPARE(drawnNames(library), (QStringList{"NACA 6421", "NACA 2412"}));
    // A screen scale set in the main window is taken when the library is active again.
    state.ScreenScale = 1200;
    form->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), form.get());
    library->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), library);
    QCOMPARE(in<OverlayView>(library, "PlotOverlay")->scale(), 1200);

    // The plot as the window paints it: each in its colour, the legend in the same order.
    auto* plot = in<OverlayView>(library, "PlotOverlay");
    testing::RecordingPaintDevice device;
    {
        QPainter painter(&device);
        plot->paint(painter, 1.0);
    }
    QStringList legend;
    QList<QColor> colours;
    for (const PaintedOp& op : device.ops) {
        if (op.kind == PaintedOp::Kind::Text) {
            legend << op.text;
        } else if (op.color != OverlayGridColor && !colours.contains(op.color)) {
            colours << op.color;
        }
    }
    QCOMPARE(legend, (QStringList{"NACA 6421", "NACA 2412"}));
    QCOMPARE(colours, (QList<QColor>{OverlayColors[0], OverlayColors[1]}));
    // And on screen: the image holds both colours and no third.
    const QImage image = plot->image().convertToFormat(QImage::Format_RGB32);
    int orange = 0;
    int skyBlue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            orange += image.pixelColor(x, y) == OverlayColors[1] ? 1 : 0;
            skyBlue += image.pixelColor(x, y) == OverlayColors[2] ? 1 : 0;
        }
    }
    QVERIFY(orange > 500);
    QCOMPARE(skyBlue, 0);
    QVERIFY(in<QPushButton>(library, "CommandSavePicture")->isEnabled());

    // A double click opens the row in the main window as its open button does.
    auto* table = in<QTableView>(library, "TableLibrary");
    const int row = static_cast<int>(files(library).indexOf(QStringLiteral("b-naca2412.dat")));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cellCentre(library, row));
    QCOMPARE(state.DataName, QStringLiteral("b-naca2412.dat"));
    QCOMPARE(state.DataPath, folder->filePath(QStringLiteral("b-naca2412.dat")));
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("NACA 2412"));
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text4"))->text(), QStringLiteral("12.01 %"));

    // Enter opens the current row.
    clickFile(library, QStringLiteral("a-naca0009.dat"));
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(state.DataName, QStringLiteral("a-naca0009.dat"));
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("NACA 0009"));
    QCOMPARE(dialogs->messages, QStringList());
}

void TestLibrary::whatIsDrawn_data() {
    QTest::addColumn<int>("extra");           // further sections in the folder, X01, X02, ...
    QTest::addColumn<QStringList>("clicks");  // "+FILE" adds with Ctrl, ">FILE" with Shift
    QTest::addColumn<QStringList>("drawn");
    QTest::addColumn<QString>("note");
    QTest::newRow("in the order selected")
        << 0 << QStringList{"c-naca6421.dat", "+a-naca0009.dat", "+e-data.dat"}
        << QStringList{"NACA 6421", "NACA 0009", "NACA 4415"} << "";
    QTest::newRow("a refused row is not drawn")
        << 0 << QStringList{"f-refused.dat", "+b-naca2412.dat"} << QStringList{"NACA 2412"} << "";
    QTest::newRow("a row selected again goes last")
        << 0
        << QStringList{"a-naca0009.dat", "+b-naca2412.dat", "+a-naca0009.dat", "+a-naca0009.dat"}
        << QStringList{"NACA 2412", "NACA 0009"} << "";
    QTest::newRow("eight") << 3 << QStringList{"a-naca0009.dat", ">x03.dat"}
                           << QStringList{"NACA 0009", "NACA 2412", "NACA 6421", "Negative camber",
                                          "NACA 4415", "X01",       "X02",       "X03"}
                           << "";
    QTest::newRow("beyond eight, the first eight")
        << 5 << QStringList{"a-naca0009.dat", ">x05.dat"}
        << QStringList{"NACA 0009", "NACA 2412", "NACA 6421", "Negative camber",
                       "NACA 4415", "X01",       "X02",       "X03"}
        << "10 sections selected: the first 8 are drawn.";
}

void TestLibrary::whatIsDrawn() {
    QFETCH(int, extra);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, drawn);
    QFETCH(QString, note);
    for (int k = 1; k <= extra; ++k) {
        const QByteArray name = "X0" + QByteArray::number(k);
        QVERIFY(
            testing::writeFile(folder->filePath(QStringLiteral("x0%1.dat").arg(k)),
                               testing::seligFile(testing::Naca4{0.01 * k, 0.3, 0.1}, 41, name)));
    }
    openData(QStringLiteral("e-data.dat"));
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    for (const QString& click : clicks) {
        const Qt::KeyboardModifiers modifiers = click.startsWith(u'+')   ? Qt::ControlModifier
                                                : click.startsWith(u'>') ? Qt::ShiftModifier
                                                                         : Qt::NoModifier;
        clickFile(library, modifiers == Qt::NoModifier ? click : click.mid(1), modifiers);
    }
    QCOMPARE(drawnNames(library), drawn);
    QCOMPARE(in<QLabel>(library, "LabelOverlayNote")->text(), note);
}

void TestLibrary::savePicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");  // of the file written; none for a message
    QTest::addColumn<QString>("message");
    QTest::newRow("PNG") << "overlay.png" << QByteArray("\x89PNG") << "";
    QTest::newRow("SVG") << "overlay.svg" << QByteArray("<?xml") << "";
    QTest::newRow("PDF") << "overlay.PDF" << QByteArray("%PDF-") << "";
    QTest::newRow("another kind") << "overlay.jpg" << QByteArray()
                                  << "overlay.jpg: not a .png, .svg or .pdf file";
    QTest::newRow("cancelled") << "" << QByteArray() << "";
}

void TestLibrary::savePicture() {
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QFETCH(QString, message);
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    auto* save = in<QPushButton>(library, "CommandSavePicture");
    QVERIFY(!save->isEnabled());
    dialogs->folderAnswers << folder->path();
    in<QPushButton>(library, "CommandFolder")->click();
    QVERIFY(QTest::qWaitFor([library] { return !library->model().filling(); }, FillTimeout));
    clickFile(library, QStringLiteral("a-naca0009.dat"));
    clickFile(library, QStringLiteral("b-naca2412.dat"), Qt::ControlModifier);
    QVERIFY(save->isEnabled());
    const QString path = name.isEmpty() ? QString() : program->filePath(name);
    dialogs->saveAnswers << path;
    save->click();
    QCOMPARE(dialogs->saveStarts, QStringList{folder->filePath(QStringLiteral("overlay.png"))});
    QCOMPARE(dialogs->messages,
             message.isEmpty() ? QStringList() : QStringList{program->filePath(message)});
    QCOMPARE(QFile::exists(path), !start.isEmpty());
    if (!start.isEmpty()) {
        QVERIFY(testing::readAll(path).startsWith(start));
        // The next dialog starts from the picture saved.
        save->click();
        QCOMPARE(dialogs->saveStarts.last(), path);
    }
}

void TestLibrary::filterBoxes_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("red");
    QTest::newRow("thickness from") << "TextThicknessFrom"
                                    << "15" << QStringList{"c-naca6421.dat", "e-data.dat"} << false;
    // At "2" every section is hidden.
    QTest::newRow("thickness to") << "TextThicknessTo"
                                  << "25" << testing::LibraryTopFiles.mid(0, 5) << false;
    QTest::newRow("camber to") << "TextCamberTo"
                               << "-1" << QStringList{"d-negative.dat"} << false;
    QTest::newRow("no number: open, in red") << "TextThicknessFrom"
                                             << "12a" << testing::LibraryTopFiles << true;
}

void TestLibrary::filterBoxes() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QStringList, files);
    QFETCH(bool, red);
    openData(QStringLiteral("e-data.dat"));
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    // Sections selected stay selected and drawn through the filter's changes, a key at a time.
    clickFile(library, QStringLiteral("c-naca6421.dat"));
    clickFile(library, QStringLiteral("b-naca2412.dat"), Qt::ControlModifier);
    const QStringList drawn = {"NACA 6421", "NACA 2412"};
    auto* edit = library->findChild<QLineEdit*>(box);
    QTest::keyClicks(edit, text);
    QCOMPARE(this->files(library), files);
    QCOMPARE(edit->styleSheet().contains(QLatin1String("color")), red);
    QCOMPARE(drawnNames(library), drawn);
    edit->clear();
    QCOMPARE(this->files(library), testing::LibraryTopFiles);
    QCOMPARE(edit->styleSheet(), QString());
    QCOMPARE(drawnNames(library), drawn);
    QCOMPARE(in<QTableView>(library, "TableLibrary")->selectionModel()->selectedRows().size(), 2);
}

void TestLibrary::reloadAndSubfolders() {
    openData(QStringLiteral("e-data.dat"));
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    QCOMPARE(files(library), testing::LibraryTopFiles);
    const auto waitRead = [library] {
        return QTest::qWaitFor([library] { return !library->model().filling(); }, FillTimeout);
    };
    QVERIFY(QFile::remove(folder->filePath(QStringLiteral("a-naca0009.dat"))));
    in<QPushButton>(library, "CommandReload")->click();
    QVERIFY(waitRead());
    QCOMPARE(files(library), testing::LibraryTopFiles.mid(1));
    // The count goes once the folder is read.
    QVERIFY(!in<QWidget>(library, "ProgressLibrary")->isVisible());
    QVERIFY(testing::writeFile(folder->filePath(QStringLiteral("a-new.dat")),
                               testing::seligFile(testing::Naca4{}, 41, "New")));
    QTest::keyClick(library, Qt::Key_F5);
    QVERIFY(waitRead());
    QCOMPARE(files(library).first(), QStringLiteral("a-new.dat"));
    in<QCheckBox>(library, "CheckSubfolders")->setChecked(true);
    QVERIFY(waitRead());
    QVERIFY(files(library).contains(testing::LibrarySubfolderFile));
    in<QCheckBox>(library, "CheckSubfolders")->setChecked(false);
    QVERIFY(waitRead());
    QVERIFY(!files(library).contains(testing::LibrarySubfolderFile));
}

// Closing the window, or the main window, while it reads stops the reading and lets the rows go.
void TestLibrary::closingStopsTheFill() {
    const QByteArray section = testing::seligFile(testing::Naca4{0.02, 0.4, 0.12}, 61, "Many");
    for (int k = 0; k < 600; ++k) {
        QVERIFY(testing::writeFile(folder->filePath(QStringLiteral("m%1.dat").arg(k)), section));
    }
    openData(QStringLiteral("e-data.dat"));
    form->findChild<QAction*>(QStringLiteral("mnuFileItem2"))->trigger();
    auto* library = form->findChild<LibraryWindow*>(QStringLiteral("FormLibrary"));
    QVERIFY(library);
    QVERIFY(QTest::qWaitFor([library] { return library->model().rowCount() > 0; }, FillTimeout));
    QVERIFY(library->model().filling());
    QVERIFY(in<QWidget>(library, "ProgressLibrary")->isVisible());
    QVERIFY(library->close());
    QVERIFY(!library->model().filling());
    QCOMPARE(library->model().rowCount(), 0);
    QVERIFY(library->model().pool().waitForDone(2000));

    // Opened again, it reads the folder again; the main window's closing closes it.
    form->findChild<QAction*>(QStringLiteral("mnuFileItem2"))->trigger();
    QVERIFY(library->isVisible());
    QVERIFY(library->model().filling());
    form->close();
    QVERIFY(!library->isVisible());
    QVERIFY(!library->model().filling());
}

void TestLibrary::captions_data() {
    QTest::addColumn<QString>("file");  // "shipped", "template" (24 sections) or "new"
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("folderButton");
    QTest::addColumn<QString>("thicknessHeader");
    const auto line = [](LanguageSection section, int language) {
        return testing::lineFor(2, static_cast<int>(section), language);
    };
    QTest::newRow("shipped, language 2") << "shipped" << 2 << "ライブラリ(&L)..."
                                         << "フォルダ(&F)..."
                                         << "最大厚さ %";
    // Beside the test there is no shipped file: captions a file lacks are English.
    QTest::newRow("from before the library, language 2") << "template" << 2 << "&Library..."
                                                         << "&Folder..."
                                                         << "Thickness %";
    QTest::newRow("new, language 2") << "new" << 2 << line(LanguageSection::LibraryItem, 2)
                                     << line(LanguageSection::LibraryFolder, 2)
                                     << line(LanguageSection::LibraryThicknessColumn, 2);
}

void TestLibrary::captions() {
    QFETCH(QString, file);
    QFETCH(int, language);
    QFETCH(QString, item);
    QFETCH(QString, folderButton);
    QFETCH(QString, thicknessHeader);
    LibraryWindow* library = openLibrary();
    QVERIFY(library);
    // Captions change in the window that is open, as in the main window.
    const QString path = program->filePath(QStringLiteral("Language.txt"));
    if (file == QLatin1String("shipped")) {
        QVERIFY(QFile::copy(testing::samplePath("Language.txt"), path));
    } else {
        const int sections = file == QLatin1String("template")
                                 ? static_cast<int>(LanguageSection::NoDataFileMessage)
                                 : LanguageSectionCount;
        QVERIFY(testing::writeFile(
            path, testing::numberedLanguageFile("2", testing::completeLength(2, sections))));
    }
    state.Language = static_cast<std::int16_t>(language);
    form->ReadLanguage();
    QCOMPARE(dialogs->messages, QStringList());
    QCOMPARE(form->findChild<QAction*>(QStringLiteral("mnuFileItem2"))->text(), item);
    QCOMPARE(in<QPushButton>(library, "CommandFolder")->text(), folderButton);
    QCOMPARE(library->model().headerData(col(LibraryColumn::Thickness), Qt::Horizontal),
             QVariant(thicknessHeader));
}

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
