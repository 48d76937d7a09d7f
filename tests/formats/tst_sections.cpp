#include "ByteDevice.h"
#include "NacaSections.h"
#include "TestFiles.h"
#include "formats/DataFile.h"
#include "session/OpenFlow.h"
#include "model/FileMessages.h"
#include "formats/SectionReader.h"
#include "model/SectionGeometry.h"
#include "formats/SectionImport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using namespace vandrix::testing;

namespace {

const QDate Day(2026, 12, 7);

ResampledSection resample(const QByteArray& bytes) {
    const SectionTextOutcome read = ReadSectionText(bytes);
    if (read.kind != SectionTextOutcome::Kind::Read) {
        return {};
    }
    const Result<ResampledSection> section = ResampleSection(JoinedRun(read.text.runs));
    return section ? section.value() : ResampledSection();
}

QByteArray coordinates(const SectionImport& import) {  // the 402 pairs after line 15
    return import.bytes.split('\n').mid(15).join('\n');
}

}  // namespace

class TestSections : public QObject {
    Q_OBJECT
private slots:
    void accuracy_data();
    void accuracy();
    void sameSection_data();
    void sameSection();
    void badFiles_data();
    void badFiles();
    void names_data();
    void names();
    void viewerReadsSectionFile();
};

void TestSections::accuracy_data() {
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<int>("perSide");
    QTest::addColumn<bool>("lednicer");
    const struct {
        const char* name;
        double m, p, t;
    } sections[] = {{"0006", 0, 0, 0.06},      {"0012", 0, 0, 0.12},
                    {"2412", 0.02, 0.4, 0.12}, {"4415", 0.04, 0.4, 0.15},
                    {"6409", 0.06, 0.4, 0.09}, {"2421", 0.02, 0.4, 0.21}};
    for (const auto& s : sections) {
        for (const int n : {35, 61, 200}) {
            for (const bool lednicer : {false, true}) {
                QTest::addRow("%s %d %s", s.name, n, lednicer ? "Lednicer" : "Selig")
                    << s.m << s.p << s.t << n << lednicer;
            }
        }
    }
}

void TestSections::accuracy() {
    QFETCH(double, m);
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(int, perSide);
    QFETCH(bool, lednicer);
    const Naca4 naca{m, p, t};
    const ResampledSection s =
        resample(lednicer ? lednicerFile(naca, perSide, "NACA") : seligFile(naca, perSide, "NACA"));
    QVERIFY(s.keptFrame);

    // The same measures, taken densely on the formulas' own outline.
    const auto upper = naca.dense(1);
    const auto lower = naca.dense(-1);
    SectionMeasures ref;
    for (int i = 1; i < 4000; ++i) {
        const double x = (1 - std::cos(std::numbers::pi * i / 4000)) / 2;
        const double yu = heightAt(upper, x);
        const double yl = heightAt(lower, x);
        if (yu - yl > ref.thickness) {
            ref.thickness = yu - yl;
            ref.thicknessX = x;
        }
        if ((yu + yl) / 2 > ref.camber) {
            ref.camber = (yu + yl) / 2;
            ref.camberX = x;
        }
    }
    const SectionMeasures& got = s.measures;
    if (m == 0) {
        QVERIFY(std::abs(got.thickness - t) <= 0.0002);
    }
    QVERIFY2(std::abs(got.thickness - ref.thickness) <= 0.0002,
             qPrintable(QString::number(got.thickness)));
    QVERIFY2(std::abs(got.camber - ref.camber) <= 0.0002, qPrintable(QString::number(got.camber)));
    QVERIFY(std::abs(got.thicknessX - ref.thicknessX) <= 0.01);
    if (m != 0) {
        QVERIFY(std::abs(got.camberX - ref.camberX) <= 0.01);
    }
    if (perSide >= 61) {
        QVERIFY2(std::abs(got.leRadius / naca.leRadius() - 1) <= 0.05,
                 qPrintable(QString::number(got.leRadius / naca.leRadius())));
    }
    const double tolerance = perSide >= 61 ? 0.0002 : 0.0005;
    double worst = 0;
    for (std::size_t k = 0; k < s.upper.x.size(); ++k) {
        worst = std::max({worst, distanceTo(upper, s.upper.x[k], s.upper.y[k]),
                          distanceTo(lower, s.lower.x[k], s.lower.y[k])});
    }
    QVERIFY2(worst <= tolerance, qPrintable(QString::number(worst)));
}

// Variants of one published file that must convert to the same coordinates.
void TestSections::sameSection_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("camberTolerance");
    const Naca4 naca{0.02, 0.4, 0.12};
    const QByteArray selig = seligFile(naca, 61, "NACA 2412");
    QByteArray lines = selig;
    QTest::newRow("Lednicer") << lednicerFile(naca, 61, "NACA 2412") << 0.0;
    QTest::newRow("CRLF, tabs, blanks, BOM, trailing blank lines")
        << "\xEF\xBB\xBF" + lines.replace("  ", "\t ").replace("\n", "\r\n  ") + "\r\n\r\n"
        << 0.0;
    QTest::newRow("no name line, comments")
        << selig.mid(selig.indexOf('\n') + 1).replace("\n", " # c\n") << 0.0;
    QList<QByteArray> points = selig.split('\n').mid(1);
    points.removeLast();
    QList<QByteArray> reversed(points.rbegin(), points.rend());
    QTest::newRow("other direction, repeated point")
        << "NACA 2412\n" + reversed.join('\n') + "\n" + reversed.last() + "\n"
        << 0.0;
    // Scaled by 100, moved and turned by 2 degrees: the leading edge is found on the curve.
    QByteArray turned = "NACA 2412 turned\n";
    const double a = 2.0 * std::numbers::pi / 180;
    for (const QByteArray& line : points) {
        const QList<QByteArray> xy = line.simplified().split(' ');
        const double x = xy[0].toDouble() * 100;
        const double y = xy[1].toDouble() * 100;
        turned += QByteArray::number(30 + x * std::cos(a) - y * std::sin(a), 'f', 3) + " " +
                  QByteArray::number(-4 + x * std::sin(a) + y * std::cos(a), 'f', 3) + "\n";
    }
    QTest::newRow("percent, moved, turned") << turned << 0.001;
}

void TestSections::sameSection() {
    QFETCH(QByteArray, bytes);
    QFETCH(double, camberTolerance);
    const QString path = QStringLiteral("/data/naca2412.dat");
    const SectionImport reference =
        ImportSectionFile(seligFile(Naca4{0.02, 0.4, 0.12}, 61, "NACA 2412"), path, Day);
    const SectionImport import = ImportSectionFile(bytes, path, Day);
    QCOMPARE(int(import.kind), int(SectionImport::Kind::Converted));
    if (camberTolerance == 0) {
        QCOMPARE(coordinates(import), coordinates(reference));
        return;
    }
    const ResampledSection a = resample(seligFile(Naca4{0.02, 0.4, 0.12}, 61, "NACA 2412"));
    const ResampledSection b = resample(bytes);
    QVERIFY(!b.keptFrame);
    QVERIFY(std::abs(a.measures.thickness - b.measures.thickness) <= 0.0002);
    QVERIFY(std::abs(a.measures.camber - b.measures.camber) <= camberTolerance);
}

void TestSections::badFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");  // empty: not a section file
    const QByteArray good = seligFile(Naca4{0, 0, 0.12}, 35, "NACA 0012");
    QTest::newRow("data file") << readAll(samplePath("naca2412.dat")) << QString();
    QTest::newRow("text") << QByteArray("hello\nworld\n") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("4 points a side")
        << QByteArray("s\n1 0\n.5 .1\n0 0\n.5 -.1\n1 0\n1 0\n") << "fewer than 5";
    QTest::newRow("folds back")
        << QByteArray("s\n1 0\n.2 .05\n.7 .08\n.4 .06\n0 0\n.3 -.05\n.6 -.04\n.8 -.02\n1 0\n")
        << "folds back";
    QTest::newRow("not finite") << QByteArray(good).replace("0.50000", "nan") << "not finite";
    QTest::newRow("huge") << QByteArray(good).replace("0.50000", "1e999") << "not finite";
    QTest::newRow("text inside") << good + "end\n"
                                 << "not a pair";
    QTest::newRow("Lednicer count") << QByteArray(
                                           "s\n6. 5.\n\n0 0\n.2 .05\n.5 .06\n.8 .03\n1 0\n\n0 "
                                           "0\n.2 -.04\n.5 -.04\n.8 -.01\n1 0\n")
                                    << "do not match";
    QByteArray many = "many\n";
    for (int i = 0; i <= MaxSectionPoints; ++i) {
        many += "0.5 0.1\n";
    }
    QTest::newRow("too many points") << many << "more than 100000";
}

void TestSections::badFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const SectionImport import = ImportSectionFile(bytes, QStringLiteral("x.dat"), Day);
    QCOMPARE(int(import.kind),
             int(reason.isEmpty() ? SectionImport::Kind::NotSection : SectionImport::Kind::Failed));
    QVERIFY2(import.error.contains(reason), qPrintable(import.error));
}

void TestSections::names_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("name");
    QTest::newRow("UTF-8") << QByteArray(
                                  "Fl\xC3\xBCgel au\xC3\x9F"
                                  "en")
                           << QStringLiteral("Flügel außen");
    QTest::newRow("Windows-1252") << QByteArray(
                                         "Fl\xFCgel au\xDF"
                                         "en")
                                  << QStringLiteral("Flügel außen");
    QTest::newRow("Shift-JIS") << QByteArray("\x97\x83\x8C\x5E 2412")
                               << QStringLiteral("翼型 2412");
    QTest::newRow("tabs, CR, copyright")
        << QByteArray("\tMH 32 (c) 1986 \t 8.7%\r") << QStringLiteral("MH 32 (c) 1986   8.7%");
}

void TestSections::names() {
    QFETCH(QByteArray, line);
    QFETCH(QString, name);
    QCOMPARE(DecodeNameLine(line), name);
}

// The viewer's reader opens a section file as its converted data file, and names a bad one.
void TestSections::viewerReadsSectionFile() {
    QTemporaryDir dir;
    AppState state;
    state.Language = 1;
    state.DataPath = dir.filePath(QStringLiteral("naca4415.dat"));
    QVERIFY(writeFile(state.DataPath, lednicerFile(Naca4{0.04, 0.4, 0.15}, 61, "NACA 4415")));
    const DataFileOutcome outcome = ReadDataFile(state);
    QVERIFY(outcome.messages.isEmpty());
    QCOMPARE(outcome.values[0], QStringLiteral("NACA 4415"));
    QCOMPARE(outcome.values[1], QStringLiteral("naca4415"));
    QCOMPARE(outcome.values[3], QStringLiteral("15.02 %"));
    QCOMPARE(outcome.labels[3], QStringLiteral("Max thickness"));
    QCOMPARE(state.PointX(0, 0), 0.0);
    QCOMPARE(state.PointX(1, 100), 0.5);
    QVERIFY(state.PointY(0, 100) > 0.05 && state.PointY(1, 100) < 0);

    for (const char* sample :
         {"naca2412-selig.dat", "naca4415-lednicer.dat", "wing-tip-percent.dat"}) {
        state.DataPath = samplePath("sections/") + QLatin1String(sample);
        QVERIFY2(ReadDataFile(state).messages.isEmpty(), sample);
    }
    state.Language = 2;  // the language switch reads the file again
    const DataFileOutcome japanese = ReadDataFile(state);
    QCOMPARE(japanese.labels[3], QStringLiteral("最大厚さ"));
    QCOMPARE(japanese.values[0], QStringLiteral("Flügel außen (NACA 2412, %, turned 2°)"));

    QVERIFY(writeFile(state.DataPath = dir.filePath(QStringLiteral("bad.dat")),
                      "bad\n1 0\n0 0\n1 0\n"));
    const DataFileOutcome bad = ReadDataFile(state);
    QCOMPARE(bad.messages,
             QStringList(SectionFileDescription(
                 state.DataPath, QStringLiteral("fewer than 5 points on a surface"))));
}

QTEST_GUILESS_MAIN(TestSections)
#include "tst_sections.moc"
