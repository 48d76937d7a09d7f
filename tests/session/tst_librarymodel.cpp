// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"
#include "LibraryFolder.h"
#include "formats/SectionTable.h"
#include "session/LibraryModel.h"
#include "session/LibrarySortFilter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vandrix;

namespace {

constexpr int FillTimeout = 30000;

int col(LibraryColumn column) {
    return static_cast<int>(column);
}

// Reads `folder` and waits for the fill to end.
bool fill(LibraryModel& model, const QString& folder, bool subfolders) {
    QSignalSpy finished(&model, &LibraryModel::finished);
    model.setFolder(folder, subfolders);
    return finished.wait(FillTimeout) && !model.filling();
}

// The files of the rows as the proxy lists them.
QStringList listed(const LibrarySortFilter& rows) {
    QStringList files;
    for (int r = 0; r < rows.rowCount(); ++r) {
        files << rows.index(r, col(LibraryColumn::File)).data().toString();
    }
    return files;
}

// A range from the texts of a from/to pair of boxes: empty is open.
LibraryRange range(const QString& from, const QString& to) {
    LibraryRange made;
    if (!from.isEmpty()) {
        made.from = from.toDouble();
    }
    if (!to.isEmpty()) {
        made.to = to.toDouble();
    }
    return made;
}

}  // namespace

// The library's table: which files become rows, their figures, the sort order, the filter and
// the fill on worker threads.
class TestLibraryModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void filesListed_data();
    void filesListed();
    void rowsAsTheTableGivesThem_data();
    void rowsAsTheTableGivesThem();
    void sortOrder_data();
    void sortOrder();
    void filter_data();
    void filter();
    void fillStops_data();
    void fillStops();

private:
    QTemporaryDir folder_;
};

void TestLibraryModel::initTestCase() {
    QVERIFY(testing::makeLibraryFolder(folder_.path()));
}

void TestLibraryModel::filesListed_data() {
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("this folder") << false << testing::LibraryTopFiles;
    // The refused file last.
    QTest::newRow("with subfolders")
        << true
        << testing::LibraryTopFiles.mid(0, 5) +
               QStringList{testing::LibrarySubfolderFile, testing::LibraryTopFiles.last()};
}

void TestLibraryModel::filesListed() {
    QFETCH(bool, subfolders);
    QFETCH(QStringList, files);
    LibraryModel model;
    LibrarySortFilter rows(model);
    rows.sort(col(LibraryColumn::File));
    QVERIFY(fill(model, folder_.path(), subfolders));
    QCOMPARE(listed(rows), files);
    // Every file is counted as read, the text file too; only the rows are fewer.
    QCOMPARE(model.filesRead(), files.size() + 1);
    QCOMPARE(model.filesListed(), files.size() + 1);
    QCOMPARE(model.path(0), QDir(folder_.path()).filePath(model.row(0).file));
    // A listing told to stop lists no further.
    const std::atomic_bool stop = true;
    QCOMPARE(LibraryFiles(folder_.path(), subfolders, &stop), QStringList());
}

void TestLibraryModel::rowsAsTheTableGivesThem_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("notes");  // a part of them
    QTest::newRow("Selig") << "a-naca0009.dat"
                           << "NACA 0009"
                           << "Selig"
                           << "";
    QTest::newRow("Lednicer") << "b-naca2412.dat"
                              << "NACA 2412"
                              << "Lednicer"
                              << "";
    QTest::newRow("MSES") << "c-naca6421.dat"
                          << "NACA 6421"
                          << "MSES/ISES"
                          << "";
    QTest::newRow("data file") << "e-data.dat"
                               << "NACA 4415"
                               << "data file"
                               << "";
    QTest::newRow("refused") << "f-refused.dat"
                             << ""
                             << ""
                             << "fewer than 5 on a surface";
}

// The name, format and every figure are the texts vandrix-export --table writes for the file.
void TestLibraryModel::rowsAsTheTableGivesThem() {
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, notes);
    LibraryModel model;
    QVERIFY(fill(model, folder_.path(), false));
    int found = -1;
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.row(r).file == file) {
            found = r;
        }
    }
    QVERIFY(found >= 0);
    const auto shown = [&model, found](LibraryColumn column) {
        return model.index(found, col(column)).data().toString();
    };
    QCOMPARE(shown(LibraryColumn::Name), name);
    QCOMPARE(shown(LibraryColumn::Format), format);
    QVERIFY2(shown(LibraryColumn::Notes).contains(notes), qPrintable(shown(LibraryColumn::Notes)));
    QCOMPARE(model.row(found).refused, !notes.isEmpty());

    // The export's reading of the same file, as its table writes it.
    SectionReading how;
    how.unusableMessage = BuiltInUnusableMessage();
    how.neither = NeitherRule::Refuse;
    const QString path = QDir(folder_.path()).filePath(file);
    const QList<QStringList> csv =
        testing::readCsv(SectionTableLine(TableRow(file, ReadSection(path, how))));
    QCOMPARE(csv.size(), 1);
    const QStringList& fields = csv[0];
    // file, name, format, points, six measures, warnings, refused, two figures
    const QStringList figures = fields.mid(4, 6) + fields.mid(12, 2);
    for (int k = 0; k < LibraryFigureCount; ++k) {
        QCOMPARE(shown(static_cast<LibraryColumn>(col(LibraryColumn::Thickness) + k)),
                 figures.at(k));
    }
    QCOMPARE(shown(LibraryColumn::Notes), fields.at(10) + fields.at(11));
    if (notes.isEmpty()) {
        QVERIFY(!figures.at(0).isEmpty());
    }
}

void TestLibraryModel::sortOrder_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QStringList>("files");
    // Thickness 9, 10, 12, 15 and 21 %: as text "9.000" would come last.
    QTest::newRow("thickness up") << col(LibraryColumn::Thickness) << true
                                  << QStringList{"a-naca0009.dat", "d-negative.dat",
                                                 "b-naca2412.dat", "e-data.dat",
                                                 "c-naca6421.dat", "f-refused.dat"};
    QTest::newRow("thickness down, refused still last")
        << col(LibraryColumn::Thickness) << false
        << QStringList{"c-naca6421.dat", "e-data.dat",     "b-naca2412.dat",
                       "d-negative.dat", "a-naca0009.dat", "f-refused.dat"};
    // Zero-lift angles about -6.3, -4.2, -2.1, 0 and 2.1 degrees: signs taken as numbers.
    QTest::newRow("zero-lift angle up")
        << col(LibraryColumn::ZeroLiftAngle) << true
        << QStringList{"c-naca6421.dat", "e-data.dat",     "b-naca2412.dat",
                       "a-naca0009.dat", "d-negative.dat", "f-refused.dat"};
    QTest::newRow("file down, refused still last")
        << col(LibraryColumn::File) << false
        << QStringList{"e-data.dat",     "d-negative.dat", "c-naca6421.dat",
                       "b-naca2412.dat", "a-naca0009.dat", "f-refused.dat"};
    // The same format sorts by file, in the visible order, in either direction.
    QTest::newRow("format down") << col(LibraryColumn::Format) << false
                                 << QStringList{"a-naca0009.dat", "d-negative.dat",
                                                "c-naca6421.dat", "b-naca2412.dat",
                                                "e-data.dat",     "f-refused.dat"};
}

void TestLibraryModel::sortOrder() {
    QFETCH(int, column);
    QFETCH(bool, ascending);
    QFETCH(QStringList, files);
    LibraryModel model;
    LibrarySortFilter rows(model);
    // Sorted before the fill, so rows take their places as they come, and again after it.
    rows.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    model.setBatchSize(1);
    QVERIFY(fill(model, folder_.path(), false));
    QCOMPARE(listed(rows), files);
    rows.sort(col(LibraryColumn::Notes));
    rows.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    QCOMPARE(listed(rows), files);
}

void TestLibraryModel::filter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("thicknessFrom");
    QTest::addColumn<QString>("thicknessTo");
    QTest::addColumn<QString>("camberFrom");
    QTest::addColumn<QString>("camberTo");
    QTest::addColumn<QStringList>("files");
    const QString none;
    QTest::newRow("nothing") << none << none << none << none << none << testing::LibraryTopFiles;
    QTest::newRow("a part of the name, case aside")
        << "cA 24" << none << none << none << none << QStringList{"b-naca2412.dat"};
    QTest::newRow("name or file name")
        << "NEG" << none << none << none << none << QStringList{"d-negative.dat"};
    QTest::newRow("thickness, both ends included")
        << none << "10.006"
        << "12.007" << none << none << QStringList{"b-naca2412.dat", "d-negative.dat"};
    QTest::newRow("thickness from")
        << none << "15" << none << none << none << QStringList{"c-naca6421.dat", "e-data.dat"};
    QTest::newRow("camber below zero")
        << none << none << none << none << "-0.5" << QStringList{"d-negative.dat"};
    QTest::newRow("text and ranges together") << "naca"
                                              << "10" << none << "-1"
                                              << "3" << QStringList{"b-naca2412.dat"};
    QTest::newRow("an empty range") << none << "20"
                                    << "10" << none << none << QStringList();
}

void TestLibraryModel::filter() {
    QFETCH(QString, text);
    QFETCH(QString, thicknessFrom);
    QFETCH(QString, thicknessTo);
    QFETCH(QString, camberFrom);
    QFETCH(QString, camberTo);
    QFETCH(QStringList, files);
    LibraryModel model;
    LibrarySortFilter rows(model);
    rows.sort(col(LibraryColumn::File));
    // Set before the fill: rows that come later are filtered as they come.
    rows.setText(text);
    rows.setThickness(range(thicknessFrom, thicknessTo));
    QVERIFY(fill(model, folder_.path(), false));
    rows.setCamber(range(camberFrom, camberTo));
    QCOMPARE(listed(rows), files);
    // Open again, everything comes back.
    rows.setText({});
    rows.setThickness({});
    rows.setCamber({});
    QCOMPARE(listed(rows), testing::LibraryTopFiles);
}

void TestLibraryModel::fillStops_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("another folder") << "folder";
    QTest::newRow("the same folder again") << "reload";
    QTest::newRow("cleared") << "clear";
    QTest::newRow("the model ends") << "end";
}

// A fill of a large folder in one batch is stopped part way: nothing of the earlier fill arrives
// later, and the rows are those of the fill that replaced it.
void TestLibraryModel::fillStops() {
    QFETCH(QString, how);
    QTemporaryDir large;
    const QByteArray section = testing::seligFile(testing::Naca4{0.02, 0.4, 0.12}, 61, "Many");
    constexpr int Copies = 1500;
    for (int k = 0; k < Copies; ++k) {
        QVERIFY(testing::writeFile(large.filePath(QStringLiteral("s%1.dat").arg(k)), section));
    }
    auto model = std::make_unique<LibraryModel>();
    model->setBatchSize(Copies);
    QSignalSpy progress(model.get(), &LibraryModel::progress);
    model->setFolder(large.path(), false);
    QVERIFY(QTest::qWaitFor([&model] { return model->filesListed() == Copies; }, FillTimeout));
    QVERIFY(model->filling());

    if (how == QLatin1String("end")) {
        // Returns once the file being read is done (a test that hangs here fails by its timeout).
        model.reset();
        return;
    }
    if (how == QLatin1String("folder")) {
        model->setFolder(folder_.path(), false);
    } else if (how == QLatin1String("reload")) {
        model->setBatchSize(100);
        model->reload();
    } else {
        model->clear();
    }
    if (how != QLatin1String("reload")) {
        QVERIFY(model->pool().waitForDone(FillTimeout));
    }
    if (how == QLatin1String("clear")) {
        QVERIFY(!model->filling());
        QCOMPARE(model->rowCount(), 0);
        QTest::qWait(50);
        QCOMPARE(model->rowCount(), 0);
        return;
    }
    QSignalSpy finished(model.get(), &LibraryModel::finished);
    QVERIFY(finished.wait(FillTimeout));
    const int rows = how == QLatin1String("folder") ? int(testing::LibraryTopFiles.size()) : Copies;
    QCOMPARE(model->rowCount(), rows);
    // Nothing of the stopped fill comes after.
    QTest::qWait(100);
    QCOMPARE(model->rowCount(), rows);
    QCOMPARE(model->filesRead(), model->filesListed());
    QCOMPARE(progress.last().at(0).toInt(), model->filesRead());
}

QTEST_GUILESS_MAIN(TestLibraryModel)
#include "tst_librarymodel.moc"
