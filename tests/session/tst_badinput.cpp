// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFileBytes.h"
#include "ResourceProbe.h"
#include "TestFiles.h"
#include "formats/DataFile.h"
#include "session/OpenFlow.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace vandrix;

namespace {

constexpr double Untouched = 7.25;
const QString Unusable = QStringLiteral("unusable");

AppState freshState() {
    AppState state;
    state.Language = 1;
    state.FileErrorMessage = Unusable;
    testing::fillPoints(state, Untouched);
    return state;
}

bool pointsFinite(const AppState& state) {
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < PointSlots; ++p) {
            if (!std::isfinite(state.PointX(c, p)) || !std::isfinite(state.PointY(c, p))) {
                return false;
            }
        }
    }
    return true;
}

bool pointsUntouched(const AppState& state) {
    return testing::allPointsAre(state, Untouched);
}

// Where the coordinates start: after the fifteenth line end.
qsizetype coordinatesStart(const QByteArray& bytes) {
    qsizetype pos = 0;
    for (int line = 0; line < 15; ++line) {
        pos = bytes.indexOf('\n', pos) + 1;
    }
    return pos;
}

// The number of items a prefix of the coordinate block holds, counted plainly.
int itemCount(const QByteArray& block) {
    int count = 0;
    for (QByteArray token : QByteArray(block).replace('\n', ',').split(',')) {
        if (!token.trimmed().isEmpty()) {
            ++count;
        }
    }
    return count;
}

}  // namespace

// Damaged and hostile data files: each read ends in order, says what it promises at most once,
// keeps what it must keep and closes the file.
class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void longLinesKeepMemoryBounded_data();
    void longLinesKeepMemoryBounded();
    void everyPrefix();
    void everyByteReplaced_data();
    void everyByteReplaced();
    void hostileFiles_data();
    void hostileFiles();
    void filesAreClosed_data();
    void filesAreClosed();

private:
    QByteArray sample_;
    QTemporaryDir dir_;
};

void TestBadInput::initTestCase() {
    sample_ = testing::readAll(testing::samplePath("naca2412.dat"));
    QVERIFY(sample_.size() > 8000);
}

void TestBadInput::longLinesKeepMemoryBounded_data() {
    QTest::addColumn<int>("line");  // which line is 100 MB long
    QTest::addColumn<bool>("usable");
    QTest::newRow("header line") << 1 << false;
    QTest::newRow("ignored line") << 6 << true;
    QTest::newRow("one coordinate item") << 16 << false;
}

void TestBadInput::longLinesKeepMemoryBounded() {
    QFETCH(int, line);
    QFETCH(bool, usable);
    QList<QByteArray> lines = sample_.split('\n');
    const QByteArray before = lines.mid(0, line - 1).join('\n') + (line > 1 ? "\n" : "");
    const QByteArray after = "\n" + lines.mid(line).join('\n');
    const QString path = dir_.filePath(QStringLiteral("long%1.dat").arg(line));
    QVERIFY(testing::writeLargeFile(path, before, 100LL << 20, line == 16 ? '1' : 'x', after));

    if (!testing::resetPeakResident()) {
        QSKIP("peak memory cannot be measured here");
    }
    const long base = testing::peakResidentKiB();
    AppState state = freshState();
    state.DataPath = path;
    const SectionRead outcome = ReadDataFile(state);
    const long growth = testing::peakResidentKiB() - base;
    QFile::remove(path);

    QVERIFY2(growth < 16 * 1024, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth)));
    QCOMPARE(outcome.messages, usable ? QStringList() : QStringList{Unusable});
    QVERIFY(pointsFinite(state));
}

void TestBadInput::everyPrefix() {
    const qsizetype start = coordinatesStart(sample_);
    for (qsizetype n = 0; n <= sample_.size(); ++n) {
        AppState state = freshState();
        const QByteArray prefix = sample_.left(n);
        const SectionRead outcome = testing::readDataFileBytes(prefix, state);
        const QString where = QStringLiteral("prefix of %1 bytes").arg(n);
        // A header line cut before its second colon is malformed: the read stops there, silently.
        const bool complete = n >= start && itemCount(prefix.mid(start)) >= 804;
        const QStringList expected =
            complete || state.ReadStop == 1 ? QStringList() : QStringList{Unusable};
        QVERIFY2(outcome.messages == expected, qPrintable(where));
        QVERIFY2(pointsFinite(state), qPrintable(where));
        // Up to the end of line 14 the coordinates are not reached. (Line 15 is empty: a prefix
        // that ends in its CR already holds it.)
        if (n <= start - 2) {
            QVERIFY2(pointsUntouched(state), qPrintable(where));
        }
    }
}

void TestBadInput::everyByteReplaced_data() {
    QTest::addColumn<char>("byte");
    QTest::newRow("0x00") << '\0';
    QTest::newRow("0xFF") << '\xFF';
    QTest::newRow("colon") << ':';
    QTest::newRow("comma") << ',';
}

void TestBadInput::everyByteReplaced() {
    QFETCH(char, byte);
    const qsizetype start = coordinatesStart(sample_);
    for (qsizetype i = 0; i < sample_.size(); ++i) {
        QByteArray bytes = sample_;
        const char original = bytes[i];
        bytes[i] = byte;
        AppState state = freshState();
        const SectionRead outcome = testing::readDataFileBytes(bytes, state);
        const QString where = QStringLiteral("byte %1").arg(i);
        QVERIFY2(outcome.messages.size() <= 1, qPrintable(where));
        QVERIFY2(pointsFinite(state), qPrintable(where));
        if (state.ReadStop == 1) {
            QVERIFY2(outcome.messages.isEmpty() && pointsUntouched(state), qPrintable(where));
        }
        // An extra separator in the coordinates shifts them but never stops the read.
        if (byte == ',' && i >= start && original != '\r' && original != '\n') {
            QVERIFY2(outcome.valueRead[7], qPrintable(where));
        }
    }
}

void TestBadInput::hostileFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("message");
    QTest::addColumn<int>("readStop");
    QTest::addColumn<QString>("title");  // the value of pair 1, when read
    QByteArray binary(64 * 1024, '\0');
    QRandomGenerator random(20261207);
    for (char& c : binary) {
        c = static_cast<char>(random.bounded(256));
    }
    QTest::newRow("empty") << QByteArray() << true << 0 << QString();
    QTest::newRow("binary") << binary << false << 1 << QString();
    QTest::newRow("only line ends") << QByteArray(100, '\n') << false << 1 << QString();
    QByteArray colons = sample_;
    const QByteArray manyColons = QByteArray(10000, ':').prepend("Name:");
    colons.replace("Name:NACA 2412", manyColons);
    QTest::newRow("10,000 colons") << colons << false << 0 << QString(10000, QLatin1Char(':'));
    QByteArray nul = sample_;
    nul.replace("NACA 2412", QByteArray("NA\0CA", 5));
    QTest::newRow("NUL in a value") << nul << false << 0 << QString::fromLatin1("NA\0CA", 5);
}

void TestBadInput::hostileFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, message);
    QFETCH(int, readStop);
    QFETCH(QString, title);
    AppState state = freshState();
    const SectionRead outcome = testing::readDataFileBytes(bytes, state);
    QCOMPARE(outcome.messages.size(), message ? 1 : 0);
    QCOMPARE(int(state.ReadStop), readStop);
    QVERIFY(pointsFinite(state));
    if (!title.isEmpty()) {
        QCOMPARE(outcome.section.values[0], title);
    }
}

void TestBadInput::filesAreClosed_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("complete") << sample_;
    QTest::newRow("ends in the header") << sample_.left(100);
    QTest::newRow("ends in the coordinates") << sample_.left(sample_.size() / 2);
    QByteArray malformed = sample_;
    malformed.replace("Name:NACA", "Name NACA");
    QTest::newRow("malformed header line") << malformed;
    QTest::newRow("unopenable") << QByteArray();
}

void TestBadInput::filesAreClosed() {
    QFETCH(QByteArray, bytes);
    const QString path = dir_.filePath(QStringLiteral("closed.dat"));
    QFile::remove(path);
    if (!bytes.isEmpty()) {
        QVERIFY(testing::writeFile(path, bytes));
    }
    const int before = testing::openFileCount();
    AppState state = freshState();
    state.DataPath = path;
    ReadDataFile(state);
    QCOMPARE(testing::openFileCount(), before);
}

QTEST_GUILESS_MAIN(TestBadInput)
#include "tst_badinput.moc"
