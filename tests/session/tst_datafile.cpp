// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFileBytes.h"
#include "formats/DataFile.h"
#include "session/OpenFlow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;

namespace {

const QString Unusable = QStringLiteral("The data file is unusable");

// A point value that is exact in binary and in its decimal text.
double valueFor(int curve, int point, bool y) {
    return (y ? -1.0 : 1.0) * (curve * 256 + point) / 256.0;
}

// How the coordinates are laid out: the other layouts are tst_textinput's items and the
// samples' (sampleLayoutsAgree, tst_legacyfiles).
enum class Style { PairPerLine, ItemPerLine };

QByteArray headerBlock() {
    const QList<QByteArray> lines = {"L2a:L1a:v1", "L2b:L1b:v2", "Title2:Title1:The title",
                                     "L2d:L1d:v4", "L2e:L1e:v5", "---- ignored: line 6",
                                     "L2f:L1f:v6", "L2g:L1g:v7", "L2h:L1h:v8",
                                     "",           "ignored 11", "ignored 12",
                                     "",           "",           "ignored 15"};
    QByteArray out;
    for (const QByteArray& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

// The 804 items in file order: curve 0 from point 200 down to 0, then curve 1 from 0 up.
QList<QByteArray> coordinateItems() {
    QList<QByteArray> items;
    const auto add = [&items](int curve, int point) {
        items << QByteArray::number(valueFor(curve, point, false), 'f', 8)
              << QByteArray::number(valueFor(curve, point, true), 'f', 8);
    };
    for (int p = 200; p >= 0; --p) {
        add(0, p);
    }
    for (int p = 0; p <= 200; ++p) {
        add(1, p);
    }
    return items;
}

QByteArray coordinateBlock(Style style, QList<QByteArray> items = coordinateItems()) {
    QByteArray out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        switch (style) {
            case Style::PairPerLine:
                out += items[i] + (i % 2 == 0 ? "," : "\r\n");
                break;
            case Style::ItemPerLine:
                out += items[i] + "\r\n";
                break;
        }
    }
    return out;
}

QByteArray wellFormedFile(Style style = Style::PairPerLine) {
    return headerBlock() + coordinateBlock(style);
}

AppState freshState(std::int16_t language = 1) {
    AppState state;
    state.Language = language;
    state.FileErrorMessage = Unusable;
    testing::fillPoints(state, 7.0);
    return state;
}

bool pointsAreTheFileValues(const AppState& state) {
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < SectionStations; ++p) {
            if (state.PointX(c, p) != valueFor(c, p, false) ||
                state.PointY(c, p) != valueFor(c, p, true)) {
                return false;
            }
        }
    }
    return true;
}

// A device that yields a prefix and then the same filler forever; counts what was taken.
class EndlessDevice : public QIODevice {
public:
    EndlessDevice(QByteArray prefix, QByteArray filler)
        : prefix_(std::move(prefix)), filler_(std::move(filler)) {}
    bool isSequential() const override { return true; }
    qint64 produced() const { return produced_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        for (qint64 i = 0; i < maxSize; ++i, ++produced_) {
            data[i] = produced_ < prefix_.size()
                          ? prefix_[produced_]
                          : filler_[(produced_ - prefix_.size()) % filler_.size()];
        }
        return maxSize;
    }
    qint64 writeData(const char* /*data*/, qint64 /*size*/) override { return -1; }

private:
    QByteArray prefix_;
    QByteArray filler_;
    qint64 produced_ = 0;
};

}  // namespace

class TestDataFile : public QObject {
    Q_OBJECT

private slots:
    void shippedSamplesRead();
    void sampleLabelsFollowLanguage_data();
    void sampleLabelsFollowLanguage();
    void sampleLayoutsAgree();
    void coordinateStyles_data();
    void coordinateStyles();
    void itemOrder();
    void endsWithinHeader_data();
    void endsWithinHeader();
    void endsInsideCoordinates_data();
    void endsInsideCoordinates();
    void malformedHeaderStopsSilently_data();
    void malformedHeaderStopsSilently();
    void readStopResetsOnNextRead();
    void ignoredLinesMayHoldAnything();
    void nonNumberItemsReadAsZero();
    void overflowingItemKeepsSlot();
    void openFailure_data();
    void openFailure();
    void overlongHeaderLine();
    void overlongIgnoredLineIsSkipped();
    void trailingDataIsNeverRead();
    void builtInMessageWithoutLanguageFile();
    void chosenFile_data();
    void chosenFile();
};

void TestDataFile::shippedSamplesRead() {
    const QDir samples(QStringLiteral(VANDRIX_SAMPLES_DIR));
    const QStringList files = samples.entryList({QStringLiteral("*.dat")}, QDir::Files);
    QVERIFY(files.size() >= 4);
    for (const QString& name : files) {
        AppState state = freshState();
        state.DataPath = samples.filePath(name);
        const SectionRead outcome = ReadDataFile(state);
        QVERIFY2(outcome.messages.isEmpty(), qPrintable(name));
        QCOMPARE(state.ReadStop, std::int16_t(0));
        for (std::size_t k = 0; k < HeaderPairCount; ++k) {
            QVERIFY2(outcome.labelRead[k] && !testing::shownLabel(outcome, k, state).isEmpty(),
                     qPrintable(name));
            QVERIFY2(outcome.valueRead[k], qPrintable(name));
        }
        // Normalised profiles: x within about 0..1, and the slot that no file fills untouched.
        for (int c = 0; c < CurveCount; ++c) {
            for (int p = 0; p < SectionStations; ++p) {
                QVERIFY(state.PointX(c, p) > -0.01 && state.PointX(c, p) <= 1.0);
            }
            QCOMPARE(state.PointX(c, 201), 7.0);
            QCOMPARE(state.PointY(c, 201), 7.0);
        }
    }
}

void TestDataFile::sampleLabelsFollowLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::newRow("language 1") << 1 << "Name"
                                << "No.";
    QTest::newRow("language 2") << 2 << QStringLiteral("名称") << QStringLiteral("番号");
    QTest::newRow("language 0 takes the second field") << 0 << "Name"
                                                       << "No.";
}

void TestDataFile::sampleLabelsFollowLanguage() {
    QFETCH(int, language);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    AppState state = freshState(static_cast<std::int16_t>(language));
    state.DataPath = QStringLiteral(VANDRIX_SAMPLES_DIR "/naca2412.dat");
    const SectionRead outcome = ReadDataFile(state);
    QCOMPARE(testing::shownLabel(outcome, 0, state), label1);
    QCOMPARE(outcome.section.values[0], QStringLiteral("NACA 2412"));
    QCOMPARE(testing::shownLabel(outcome, 1, state), label2);
    QCOMPARE(outcome.section.values[1], QStringLiteral("2412"));
    QCOMPARE(outcome.section.values[3], QStringLiteral("12.0 %"));
    // First item lands in PointX[0][200], the 402nd in PointY[0][0].
    QCOMPARE(state.PointX(0, 200), 1.0);
    QCOMPARE(state.PointX(0, 0), 0.0);
}

void TestDataFile::sampleLayoutsAgree() {
    const QStringList variants = {QStringLiteral("naca2412.dat"),
                                  QStringLiteral("naca2412-one-per-line.dat"),
                                  QStringLiteral("naca2412-one-line.dat")};
    AppState reference = freshState();
    reference.DataPath = QStringLiteral(VANDRIX_SAMPLES_DIR "/") + variants[0];
    ReadDataFile(reference);
    for (const QString& variant : variants.mid(1)) {
        AppState state = freshState();
        state.DataPath = QStringLiteral(VANDRIX_SAMPLES_DIR "/") + variant;
        QVERIFY(ReadDataFile(state).messages.isEmpty());
        QVERIFY2(state.PointX == reference.PointX && state.PointY == reference.PointY,
                 qPrintable(variant));
    }
}

void TestDataFile::coordinateStyles_data() {
    QTest::addColumn<int>("style");
    QTest::newRow("x,y per line") << int(Style::PairPerLine);
    QTest::newRow("one item per line") << int(Style::ItemPerLine);
}

void TestDataFile::coordinateStyles() {
    QFETCH(int, style);
    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(wellFormedFile(Style(style)), state);
    QCOMPARE(outcome.messages, QStringList());
    QVERIFY(pointsAreTheFileValues(state));
    QCOMPARE(testing::shownLabel(outcome, 0, state), QStringLiteral("Title1"));
    QCOMPARE(outcome.section.values[0], QStringLiteral("The title"));
    QCOMPARE(testing::shownLabel(outcome, 7, state), QStringLiteral("L1h"));
    QCOMPARE(outcome.section.values[7], QStringLiteral("v8"));
}

void TestDataFile::itemOrder() {
    QList<QByteArray> items(804, "0");
    items[0] = "1";    // PointX[0][200]
    items[401] = "2";  // PointY[0][0]
    items[402] = "3";  // PointX[1][0]
    items[803] = "4";  // PointY[1][200]
    AppState state = freshState();
    testing::readDataFileBytes(headerBlock() + coordinateBlock(Style::ItemPerLine, items), state);
    QCOMPARE(state.PointX(0, 200), 1.0);
    QCOMPARE(state.PointY(0, 0), 2.0);
    QCOMPARE(state.PointX(1, 0), 3.0);
    QCOMPARE(state.PointY(1, 200), 4.0);
    QCOMPARE(state.PointY(0, 200), 0.0);
}

void TestDataFile::endsWithinHeader_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<QList<int>>("filledPairs");
    QTest::newRow("empty file") << 0 << QList<int>{};
    QTest::newRow("after line 1") << 1 << QList<int>{2};
    QTest::newRow("after line 3") << 3 << QList<int>{2, 3, 1};
    QTest::newRow("after line 5") << 5 << QList<int>{2, 3, 1, 4, 5};
    QTest::newRow("after line 6") << 6 << QList<int>{2, 3, 1, 4, 5};
    QTest::newRow("after line 9") << 9 << QList<int>{2, 3, 1, 4, 5, 6, 7, 8};
    QTest::newRow("after line 14") << 14 << QList<int>{2, 3, 1, 4, 5, 6, 7, 8};
}

void TestDataFile::endsWithinHeader() {
    QFETCH(int, lines);
    QFETCH(QList<int>, filledPairs);
    const QList<QByteArray> all = headerBlock().split('\n');
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += all[i] + '\n';
    }
    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(bytes, state);
    QCOMPARE(outcome.messages, QStringList{Unusable});
    for (int pair = 1; pair <= HeaderPairCount; ++pair) {
        const auto k = static_cast<std::size_t>(pair - 1);
        QCOMPARE(outcome.labelRead[k], filledPairs.contains(pair));
        QCOMPARE(outcome.valueRead[k], filledPairs.contains(pair));
    }
    QCOMPARE(state.PointX(0, 0), 7.0);
    QCOMPARE(state.PointY(1, 200), 7.0);
}

void TestDataFile::endsInsideCoordinates_data() {
    QTest::addColumn<int>("items");
    QTest::newRow("right after line 15") << 0;
    QTest::newRow("after one item") << 1;
    QTest::newRow("after curve 0") << 402;
    QTest::newRow("one item short") << 803;
}

void TestDataFile::endsInsideCoordinates() {
    QFETCH(int, items);
    const QByteArray block = coordinateBlock(Style::ItemPerLine, coordinateItems().mid(0, items));
    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(headerBlock() + block, state);
    QCOMPARE(outcome.messages, QStringList{Unusable});
    QVERIFY(outcome.labelRead[7] && outcome.valueRead[7]);

    // Slots in file order: read ones hold the file's values, all later ones 0.
    int index = 0;
    const auto check = [&](int curve, int point) {
        const bool read = index < items;
        QCOMPARE(state.PointX(curve, point), read ? valueFor(curve, point, false) : 0.0);
        ++index;
        const bool readY = index < items;
        QCOMPARE(state.PointY(curve, point), readY ? valueFor(curve, point, true) : 0.0);
        ++index;
    };
    for (int p = 200; p >= 0; --p) {
        check(0, p);
    }
    for (int p = 0; p <= 200; ++p) {
        check(1, p);
    }
    QCOMPARE(state.PointX(0, 201), 7.0);
}

void TestDataFile::malformedHeaderStopsSilently_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("pair");
    QTest::newRow("line 1") << 1 << 2;
    QTest::newRow("line 3, the title") << 3 << 1;
    QTest::newRow("line 5") << 5 << 5;
    QTest::newRow("line 7") << 7 << 6;
    QTest::newRow("line 9") << 9 << 8;
}

void TestDataFile::malformedHeaderStopsSilently() {
    QFETCH(int, line);
    QFETCH(int, pair);
    QList<QByteArray> lines = headerBlock().split('\n');
    lines[line - 1] = "OnlyOne:colon\r";
    const QByteArray bytes = lines.join('\n') + coordinateBlock(Style::PairPerLine);

    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(bytes, state);
    QCOMPARE(outcome.messages, QStringList());
    QCOMPARE(state.ReadStop, std::int16_t(1));
    const auto k = static_cast<std::size_t>(pair - 1);
    QVERIFY(outcome.labelRead[k]);
    QCOMPARE(testing::shownLabel(outcome, k, state), QString());
    QVERIFY(!outcome.valueRead[k]);
    // Pairs filled from later lines stay untouched.
    const std::array<int, 8> order = {2, 3, 1, 4, 5, 6, 7, 8};
    const auto at = std::find(order.begin(), order.end(), pair);
    for (auto later = at + 1; later != order.end(); ++later) {
        QVERIFY(!outcome.labelRead[static_cast<std::size_t>(*later - 1)]);
    }
    QCOMPARE(state.PointX(0, 100), 7.0);
}

void TestDataFile::readStopResetsOnNextRead() {
    AppState state = freshState();
    QList<QByteArray> lines = headerBlock().split('\n');
    lines[0] = "bad\r";
    testing::readDataFileBytes(lines.join('\n'), state);
    QCOMPARE(state.ReadStop, std::int16_t(1));
    testing::readDataFileBytes(wellFormedFile(), state);
    QCOMPARE(state.ReadStop, std::int16_t(0));
    QVERIFY(pointsAreTheFileValues(state));
}

void TestDataFile::ignoredLinesMayHoldAnything() {
    QList<QByteArray> lines = headerBlock().split('\n');
    lines[5] = "a:b:c:d\r";
    lines[9] = "no colon at all\r";
    lines[14] = "\r";
    AppState state = freshState();
    const SectionRead outcome =
        testing::readDataFileBytes(lines.join('\n') + coordinateBlock(Style::PairPerLine), state);
    QCOMPARE(outcome.messages, QStringList());
    QVERIFY(pointsAreTheFileValues(state));
}

void TestDataFile::nonNumberItemsReadAsZero() {
    QList<QByteArray> items = coordinateItems();
    items[0] = "abc";
    items[2] = "";  // an empty item between a line start and a comma
    items[3] = QByteArray("\xE3\x83\xBC");
    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(
        headerBlock() + coordinateBlock(Style::PairPerLine, items), state);
    QCOMPARE(outcome.messages, QStringList());
    QCOMPARE(state.PointX(0, 200), 0.0);
    QCOMPARE(state.PointY(0, 200), valueFor(0, 200, true));
    QCOMPARE(state.PointX(0, 199), 0.0);
    QCOMPARE(state.PointY(0, 199), 0.0);
    QCOMPARE(state.PointY(1, 200), valueFor(1, 200, true));
}

void TestDataFile::overflowingItemKeepsSlot() {
    QList<QByteArray> items = coordinateItems();
    items[2] = "1e400";
    items[3] = "-1e400";
    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(
        headerBlock() + coordinateBlock(Style::PairPerLine, items), state);
    QCOMPARE(outcome.messages, QStringList{Unusable});
    QCOMPARE(state.PointX(0, 199), 7.0);
    QCOMPARE(state.PointY(0, 199), 7.0);
    QCOMPARE(state.PointX(0, 198), valueFor(0, 198, false));
    QCOMPARE(state.PointY(1, 200), valueFor(1, 200, true));
}

void TestDataFile::openFailure_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("a directory") << "directory";
    if (geteuid() != 0) {
        QTest::newRow("no read permission") << "unreadable";
    }
}

void TestDataFile::openFailure() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("f.dat"));
    if (kind == QLatin1String("directory")) {
        QDir(dir.path()).mkdir(QStringLiteral("f.dat"));
    } else if (kind == QLatin1String("unreadable")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wellFormedFile());
        file.close();
        file.setPermissions(QFileDevice::WriteOwner);
    }
    AppState state = freshState();
    state.DataPath = path;
    state.ReadStop = 1;
    const SectionRead outcome = ReadDataFile(state);
    QCOMPARE(outcome.messages.size(), 1);
    QVERIFY2(outcome.messages[0].contains(path), qPrintable(outcome.messages[0]));
    QVERIFY(outcome.messages[0].size() > path.size() + 20);  // says why, too
    QCOMPARE(state.ReadStop, std::int16_t(1));
    QCOMPARE(state.PointX(0, 0), 7.0);
    for (std::size_t k = 0; k < HeaderPairCount; ++k) {
        QVERIFY(!outcome.labelRead[k] && !outcome.valueRead[k]);
    }
}

void TestDataFile::overlongHeaderLine() {
    QList<QByteArray> lines = headerBlock().split('\n');
    lines[1] = "A:B:" + QByteArray(40000, 'x') + '\r';
    AppState state = freshState();
    const SectionRead outcome =
        testing::readDataFileBytes(lines.join('\n') + coordinateBlock(Style::PairPerLine), state);
    QCOMPARE(outcome.messages, QStringList{Unusable});
    QVERIFY(outcome.labelRead[1]);   // pair 2, from line 1, kept
    QVERIFY(!outcome.labelRead[2]);  // pair 3 not reached
    QCOMPARE(state.PointX(0, 0), 7.0);
}

void TestDataFile::overlongIgnoredLineIsSkipped() {
    QList<QByteArray> lines = headerBlock().split('\n');
    lines[5] = QByteArray(5'000'000, ':') + '\r';
    AppState state = freshState();
    const SectionRead outcome =
        testing::readDataFileBytes(lines.join('\n') + coordinateBlock(Style::PairPerLine), state);
    QCOMPARE(outcome.messages, QStringList());
    QVERIFY(pointsAreTheFileValues(state));
}

void TestDataFile::trailingDataIsNeverRead() {
    EndlessDevice device(wellFormedFile(), "9,9,9,9,9,9,9,9\r\n");
    QVERIFY(device.open(QIODevice::ReadOnly));
    AppState state = freshState();
    const SectionRead outcome = ReadDataFileFrom(device, state);
    QCOMPARE(outcome.messages, QStringList());
    QVERIFY(pointsAreTheFileValues(state));
    QVERIFY2(device.produced() < wellFormedFile().size() + 1'000'000,
             qPrintable(QString::number(device.produced())));
}

void TestDataFile::builtInMessageWithoutLanguageFile() {
    AppState state = freshState();
    state.FileErrorMessage.clear();
    const SectionRead outcome = testing::readDataFileBytes(headerBlock(), state);
    QCOMPARE(outcome.messages.size(), 1);
    QVERIFY(!outcome.messages[0].isEmpty());
}

void TestDataFile::chosenFile_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QString>("dataName");
    QTest::addColumn<QString>("dataPath");
    // The state starts with an earlier choice: DataName "old.dat", DataPath "/old/old.dat".
    QTest::newRow("full path") << "/d/f.txt" << true << "f.txt"
                               << "/d/f.txt";
    QTest::newRow("bare name") << "f.txt" << true << "f.txt"
                               << "f.txt";
    QTest::newRow("cancelled") << "" << true << "old.dat"
                               << "/old/old.dat";
    QTest::newRow("ends with separator") << "/d/" << false << ""
                                         << "/old/old.dat";
    QTest::newRow("root") << "/" << false << ""
                          << "/old/old.dat";
}

void TestDataFile::chosenFile() {
    QFETCH(QString, chosen);
    QFETCH(bool, usable);
    QFETCH(QString, dataName);
    QFETCH(QString, dataPath);
    AppState state;
    state.DataName = QStringLiteral("old.dat");
    state.DataPath = QStringLiteral("/old/old.dat");
    QCOMPARE(TakeChosenFile(state, chosen).ok(), usable);
    QCOMPARE(state.DataName, dataName);
    QCOMPARE(state.DataPath, dataPath);
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
