// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteDevice.h"
#include "CsvReader.h"
#include "NacaSections.h"
#include "TestFiles.h"
#include "formats/SectionFile.h"
#include "formats/SectionReader.h"
#include "formats/SectionTable.h"
#include "model/FileMessages.h"

#include <QStringEncoder>

#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using namespace vandrix::testing;

namespace {

// What the reader makes of a file's bytes, read as the export reads them.
enum class Kind { DataFile, Converted, Neither, Refused };
struct Import {
    Kind kind = Kind::Refused;
    QByteArray bytes;  // the data file read
    QString error;
    Section section;
};

Import importBytes(const QByteArray& bytes, const QString& path) {
    SectionReading how;
    how.unusableMessage = QStringLiteral("unusable");
    how.neither = NeitherRule::Refuse;
    const SectionRead read =
        readFromBytes(bytes, [&](QIODevice& device) { return ReadSection(device, path, how); });
    Import import;
    import.bytes = read.dataFile;
    import.error = read.refusal;
    import.section = read.section;
    if (!read.clean()) {
        import.kind = read.refusal == NeitherReason() ? Kind::Neither : Kind::Refused;
    } else {
        import.kind =
            read.section.format == SectionFormat::DataFile ? Kind::DataFile : Kind::Converted;
    }
    return import;
}

QByteArray coordinates(const Import& import) {  // the 402 pairs after line 15
    return import.bytes.split('\n').mid(15).join('\n');
}

// The header line of a converted file that starts with `start`.
QString headerLine(const Import& import, const QString& start) {
    for (const QByteArray& line : import.bytes.split('\n').mid(0, 15)) {
        QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(start)) {
            return text;
        }
    }
    return {};
}

const QByteArray Naca2412 = seligFile(Naca4{0.02, 0.4, 0.12}, 61, "NACA 2412");

// A circle of the given diameter through (0, 0) and (1, 0): no usual wing section.
QByteArray circleFile(double diameter) {
    QByteArray bytes = "round\n";
    for (int i = 0; i <= 40; ++i) {
        const double a = 2 * std::numbers::pi * i / 40;
        bytes += QByteArray::number(0.5 + 0.5 * std::cos(a), 'f', 6) + " " +
                 QByteArray::number(diameter / 2 * std::sin(a), 'f', 6) + "\n";
    }
    return bytes;
}

QByteArray utf16(const QByteArray& utf8) {
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    return "\xFF\xFE" + QByteArray(encoder.encode(QString::fromUtf8(utf8)));
}

}  // namespace

class TestSections : public QObject {
    Q_OBJECT
private slots:
    void sameSection_data();
    void sameSection();
    void badFiles_data();
    void badFiles();
    void reading_data();
    void reading();
    void warningReachesTheFile_data();
    void warningReachesTheFile();
    void table();
    void names_data();
    void names();
    void viewerReadsSectionFile();
};

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
    const Import reference = importBytes(Naca2412, path);
    const Import import = importBytes(bytes, path);
    QCOMPARE(int(import.kind), int(Kind::Converted));
    if (camberTolerance == 0) {
        QCOMPARE(coordinates(import), coordinates(reference));
        return;
    }
    // Brought to the normalised frame, which the file says, with the same measures.
    const QString normalising = headerLine(import, QStringLiteral("Normalising:"));
    QVERIFY2(normalising.startsWith(QLatin1String("Normalising: leading edge (")),
             qPrintable(normalising));
    const SectionMeasures& a = reference.section.measures.value();
    const SectionMeasures& b = import.section.measures.value();
    QVERIFY(std::abs(a.thickness - b.thickness) <= 0.0002);
    QVERIFY(std::abs(a.camber - b.camber) <= camberTolerance);
}

void TestSections::badFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");  // empty: not a section file
    const QByteArray good = seligFile(Naca4{0, 0, 0.12}, 35, "NACA 0012");
    QTest::newRow("data file") << readAll(samplePath("naca2412.dat")) << QString();
    QTest::newRow("text") << QByteArray("hello\nworld\n") << "neither a data file";
    QTest::newRow("empty") << QByteArray() << "neither a data file";
    QTest::newRow("flat, no thickness")
        << QByteArray("s\n1 0\n.7 0\n.4 0\n.1 0\n0 0\n.1 0\n.4 0\n.7 0\n1 0\n")
        << "no positive thickness";
    QTest::newRow("points that collapse at double precision")
        << QByteArray(
               "s\n1 0\n1.00000000000000001 0\n1.00000000000000002 0\n"
               "1.00000000000000003 0\n1.00000000000000004 0\n1.00000000000000005 0\n"
               "1.00000000000000006 0\n1.00000000000000007 0\n1 0\n")
        << "the 9 points collapse to 1 distinct points";
    QTest::newRow("folds back")
        << QByteArray("s\n1 0\n.2 .05\n.7 .08\n.4 .06\n0 0\n.3 -.05\n.6 -.04\n.8 -.02\n1 0\n")
        << "folds back";
    QTest::newRow("not finite") << QByteArray(good).replace("0.50000", "nan") << "not finite";
    QTest::newRow("huge") << QByteArray(good).replace("0.50000", "1e999") << "not finite";
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
    const Import import = importBytes(bytes, QStringLiteral("x.dat"));
    const Kind expected = reason.isEmpty()                              ? Kind::DataFile
                          : reason.startsWith(QLatin1String("neither")) ? Kind::Neither
                                                                        : Kind::Refused;
    QCOMPARE(int(import.kind), int(expected));
    QVERIFY2(import.error.contains(reason), qPrintable(import.error));
    QVERIFY(import.kind == Kind::Converted || import.kind == Kind::DataFile ||
            import.bytes.isEmpty());
}

// Layouts as files are traded: each row's outcome and a line the result must hold.
void TestSections::reading_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("line");  // a header line of the converted file, or the error
    const int converted = int(Kind::Converted);
    QByteArray body = Naca2412.mid(Naca2412.indexOf('\n') + 1);
    QTest::newRow("notes right after the numbers")
        << Naca2412 + "source: http://example.org/x\nDesigned by A. N. Other 1.0\n"
        << converted << "Points in the file: 121, 2 note lines after them";
    QTest::newRow("notes after a blank line, with numbers among them")
        << Naca2412 + "\n\nAlpha Cl Cd\n0.0 0.25 0.007\n2.0 0.47 0.008\n"
        << converted << "Points in the file: 121, 3 note lines after them";
    QTest::newRow("a second sign after '+': a note, not a point")
        << Naca2412 + "+-1.5 0.0\n"
        << converted << "Points in the file: 121, 1 note line after them";
    QTest::newRow("a note line: no note count")
        << Naca2412 << converted << "Points in the file: 121";
    QTest::newRow("name over two lines, a source, a placeholder row")
        << "NACA 2412\nsecond name line\n\nfrom a catalogue\n1.0000  ......\n" + body << converted
        << "名称:Name:NACA 2412";
    QTest::newRow("MSES/ISES plot limits")
        << "NACA 2412\n -2.0 3.0 -2.5 3.5\n" + body << converted << "Format: MSES/ISES";
    // As NACA reports print their tables: the trailing-edge ordinates in parentheses, a row of
    // dots where a surface has no ordinate (at line `dots`, in place of a blank line there).
    const auto reportStyle = [](const QByteArray& file, int dots) {
        QList<QByteArray> lines = file.split('\n');
        for (QByteArray& line : lines) {
            const QList<QByteArray> xy = line.simplified().split(' ');
            if (xy.size() == 2 && std::abs(xy[0].toDouble() - 1) < 0.001) {
                line = xy[0] + "  (" + xy[1] + ")";
            }
        }
        if (lines[dots].isEmpty()) {
            lines[dots] = "0.0000  ......";
        } else {
            lines.insert(dots, "0.0000  ......");
        }
        return lines.join('\n');
    };
    QTest::newRow("report table, Lednicer order: dots between the surfaces, ordinates in ()")
        << reportStyle(lednicerFile(Naca4{0.02, 0.4, 0.12}, 61, "NACA 2412"), 64) << converted
        << "Points in the file: 122 (61 upper, 61 lower)";
    QTest::newRow("report table, Selig order: dots after the leading edge, ordinates in ()")
        << reportStyle(Naca2412, 62) << converted << "Points in the file: 121";
    QTest::newRow("a row of dots after the numbers: a note")
        << Naca2412 + "1.0000  ......\n"
        << converted << "Points in the file: 121, 1 note line after them";
    QTest::newRow("UTF-16 with byte-order mark") << utf16(Naca2412) << converted << "Format: Selig";
    QTest::newRow("CR-only line ends")
        << QByteArray(Naca2412).replace('\n', '\r') << converted << "Format: Selig";
    QTest::newRow("UTF-16 data file")
        << utf16(readAll(samplePath("naca2412.dat"))) << int(Kind::DataFile) << "";
    QTest::newRow("CR-only data file")
        << readAll(samplePath("naca2412.dat")).replace("\r\n", "\r").replace('\n', '\r')
        << int(Kind::DataFile) << "";
    QTest::newRow("neither: text only") << QByteArray("a note\nanother\n") << int(Kind::Neither)
                                        << "no line holds a pair of numbers";
    QTest::newRow("MSES limits and nothing after")
        << QByteArray("s\n-2 3 -2.5 3.5\nend\n") << int(Kind::Refused)
        << "line 3 follows the plot limits and is no pair of numbers";
}

void TestSections::reading() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    QFETCH(QString, line);
    const Import import = importBytes(bytes, QStringLiteral("/d/naca2412.dat"));
    QCOMPARE(int(import.kind), kind);
    if (kind == int(Kind::Converted)) {
        QCOMPARE(headerLine(import, line.section(u':', 0, 0)), line);
        QCOMPARE(coordinates(import),
                 coordinates(importBytes(Naca2412, QStringLiteral("/d/naca2412.dat"))));
    } else if (kind == int(Kind::DataFile)) {
        // A recoded data file: UTF-8 text the data-file reader takes, never the raw bytes.
        QVERIFY(import.bytes.startsWith("番号:No.:"));
        QVERIFY(!import.bytes.contains('\r') || import.bytes.contains("\r\n"));
        QCOMPARE(import.bytes.count('\n'), readAll(samplePath("naca2412.dat")).count('\n'));
    } else {
        QVERIFY2(import.error.contains(line), qPrintable(import.error));
    }
}

// What the geometry warns of reaches the section and the converted file's Normalising line.
void TestSections::warningReachesTheFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning");  // a part of the one warning
    QList<QByteArray> lines = Naca2412.split('\n');
    const QList<QByteArray> xy = lines[31].simplified().split(' ');  // a point of the upper surface
    lines[31] = xy[0] + ' ' + QByteArray::number(xy[1].toDouble() + 0.03);
    QTest::newRow("a spike") << lines.join('\n') << " lies 2.";
    QTest::newRow("NACA 0060: thicker than 50 %")
        << seligFile(Naca4{0, 0, 0.6}, 61, "NACA 0060")
        << "the section is 60.0 % of the chord thick at x/c = 0.301, more than 50 %";
    QTest::newRow("round: 100 % thick")
        << circleFile(1.0) << "the section is 100.0 % of the chord thick";
}

void TestSections::warningReachesTheFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    const Import import = importBytes(bytes, QStringLiteral("/d/w.dat"));
    QCOMPARE(int(import.kind), int(Kind::Converted));
    QCOMPARE(import.section.warnings.size(), 1);
    QVERIFY2(import.section.warnings.first().contains(warning),
             qPrintable(import.section.warnings.first()));
    const QString normalising = headerLine(import, QStringLiteral("Normalising:"));
    QVERIFY2(normalising.endsWith(QStringLiteral("; warning: ") + import.section.warnings.first()),
             qPrintable(normalising));
}

// The table's rows read back with a CSV reader, commas, quotes and all.
void TestSections::table() {
    SectionTableRow row;
    row.file = QStringLiteral("in/DP1,72 \"x\".dat");
    row.name = QStringLiteral("Flügel, \"außen\"");
    row.format = QStringLiteral("Selig");
    row.points = 121;
    row.measures = SectionMeasures{0.12, 0.3, -0.02, 0.4, 0.0159, 0.001, -10.7186, -0.30296};
    row.warnings = QStringList{QStringLiteral("a, b"), QStringLiteral("c")};
    SectionTableRow refused;
    refused.file = QStringLiteral("bad.dat");
    refused.refusal = QStringLiteral("line 3\nholds \"nan\"");
    // Figures that round to zero from below: written without a sign.
    SectionTableRow nearZero = row;
    nearZero.measures->zeroLiftAngle = -0.0004;
    nearZero.measures->quarterChordMoment = -0.00004;
    const QList<QStringList> rows = readCsv(SectionTableHeader() + SectionTableLine(row) +
                                            SectionTableLine(refused) + SectionTableLine(nearZero));
    QCOMPARE(rows.size(), 4);
    // The figures come after the columns that were there before them, in their places.
    QCOMPARE(rows[0].size(), 14);
    QCOMPARE(rows[0].mid(10),
             (QStringList{"warnings", "refused", "zero-lift angle deg", "Cm c/4"}));
    QCOMPARE(rows[1],
             (QStringList{row.file, row.name, "Selig", "121", "12.000", "30.000", "-2.000",
                          "40.000", "1.590", "0.100", "a, b; c", "", "-10.719", "-0.3030"}));
    QCOMPARE(rows[2], (QStringList{"bad.dat", "", "", "", "", "", "", "", "", "", "",
                                   refused.refusal, "", ""}));
    QCOMPARE(rows[3].mid(12), (QStringList{"0.000", "0.0000"}));

    // A symmetric section: camber 0.00 % at 0.00 %, never -0.00.
    const Import symmetric =
        importBytes(seligFile(Naca4{0, 0, 0.12}, 61, "NACA 0012"), QStringLiteral("s.dat"));
    QCOMPARE(headerLine(symmetric, QStringLiteral("最大反り")),
             QStringLiteral("最大反り:Max camber:0.00 %"));
    QCOMPARE(headerLine(symmetric, QStringLiteral("反り位置")),
             QStringLiteral("反り位置:Camber position:0.00 %"));
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

// The window's reading opens a section file as its converted data file, and names a bad one.
void TestSections::viewerReadsSectionFile() {
    QTemporaryDir dir;
    SectionReading how;
    how.unusableMessage = QStringLiteral("unusable");
    QString path = dir.filePath(QStringLiteral("naca4415.dat"));
    QVERIFY(writeFile(path, lednicerFile(Naca4{0.04, 0.4, 0.15}, 61, "NACA 4415")));
    const SectionRead read = ReadSection(path, how);
    QVERIFY(read.clean());
    const Section& section = read.section;
    QCOMPARE(section.values[0], QStringLiteral("NACA 4415"));
    QCOMPARE(section.values[1], QStringLiteral("naca4415"));
    QCOMPARE(section.values[3], QStringLiteral("15.02 %"));
    // The leading-edge radius, within 5 % of the formulas' 1.1019 t^2.
    QVERIFY2(std::abs(section.values[6].chopped(2).toDouble() / 2.479 - 1) <= 0.05,
             qPrintable(section.values[6]));
    QCOMPARE(section.labels[3].first, QStringLiteral("Max thickness"));
    QCOMPARE(section.labels[3].second, QStringLiteral("最大厚さ"));
    QCOMPARE(section.format, SectionFormat::Lednicer);
    QCOMPARE(section.filePoints, 122);
    QCOMPARE(section.curves.x(0, 0), 0.0);
    QCOMPARE(section.curves.x(1, 100), 0.5);
    QVERIFY(section.curves.y(0, 100) > 0.05 && section.curves.y(1, 100) < 0);

    for (const char* sample :
         {"naca2412-selig.dat", "naca4415-lednicer.dat", "wing-tip-percent.dat"}) {
        QVERIFY2(ReadSection(samplePath("sections/") + QLatin1String(sample), how).clean(), sample);
    }
    QCOMPARE(ReadSection(samplePath("sections/wing-tip-percent.dat"), how).section.values[0],
             QStringLiteral("Flügel außen (NACA 2412, %, turned 2°)"));

    QVERIFY(writeFile(path = dir.filePath(QStringLiteral("bad.dat")), "bad\n1 0\n0 0\n1 0\n"));
    QCOMPARE(ReadSection(path, how).messages,
             QStringList(SectionFileDescription(
                 path, QStringLiteral("3 points, fewer than 5 on a surface"))));
}

QTEST_GUILESS_MAIN(TestSections)
#include "tst_sections.moc"
