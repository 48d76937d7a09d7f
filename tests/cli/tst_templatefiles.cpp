// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "model/RibGeometry.h"
#include "render/TemplateLayout.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace vandrix;
using namespace vandrix::testing;

namespace {

const Naca4 Naca2412{0.02, 0.4, 0.12};
const Naca4 Naca0012{0.0, 0.0, 0.12};
const Naca4 Naca0006{0.0, 0.0, 0.06};
const Naca4 Naca0024{0.0, 0.0, 0.24};
constexpr double Tolerance = 0.01;

// The outline's points as the writers give them: upper from the trailing edge, then lower.
std::vector<QPointF> expectedOutline(const Naca4& naca, double chord) {
    std::vector<QPointF> points;
    for (int i = 200; i >= 0; --i) {
        points.emplace_back(chord * station(i), chord * stationHeight(naca, station(i), 1));
    }
    for (int i = 0; i <= 200; ++i) {
        points.emplace_back(chord * station(i), chord * stationHeight(naca, station(i), -1));
    }
    return points;
}

bool sameOutline(const std::vector<QPointF>& got, const std::vector<QPointF>& want,
                 QPointF shift = {}) {
    if (got.size() != want.size()) {
        qWarning() << "points:" << got.size() << "expected" << want.size();
        return false;
    }
    for (std::size_t i = 0; i < got.size(); ++i) {
        const QPointF d = got[i] - shift - want[i];
        if (std::abs(d.x()) > Tolerance || std::abs(d.y()) > Tolerance) {
            qWarning() << "point" << i << got[i] - shift << "expected" << want[i];
            return false;
        }
    }
    return true;
}

// Columns of an image that hold anything but background, as a length in pixels.
int inkWidth(const QImage& image) {
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 64 && qGray(p) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right - left + 1;
}

// The longest run of dark pixels along a row (or column) of an image.
int darkRun(const QImage& image, int line, bool row) {
    int best = 0;
    int run = 0;
    const int length = row ? image.width() : image.height();
    for (int i = 0; i < length; ++i) {
        const QRgb p = row ? image.pixel(i, line) : image.pixel(line, i);
        run = qGray(p) < 128 ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

struct Svg {
    QString width;
    QString height;
    QString viewBox;
    std::map<QString, std::vector<std::vector<QPointF>>> paths;  // per group
    QStringList labels;
};

Svg readSvg(const QByteArray& bytes) {
    Svg svg;
    QXmlStreamReader xml(bytes);
    QString group;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto attr = [&xml](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toString();
        };
        if (xml.name() == QLatin1String("svg")) {
            svg.width = attr("width");
            svg.height = attr("height");
            svg.viewBox = attr("viewBox");
        } else if (xml.name() == QLatin1String("g")) {
            group = attr("id");
        } else if (xml.name() == QLatin1String("path")) {
            std::vector<QPointF> points;
            for (QString word : attr("d").split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                word.remove(QLatin1Char('M')).remove(QLatin1Char('L'));
                const QStringList xy = word.split(QLatin1Char(','));
                if (xy.size() == 2) {
                    points.emplace_back(xy[0].toDouble(), xy[1].toDouble());
                }
            }
            svg.paths[group].push_back(points);
        } else if (xml.name() == QLatin1String("text")) {
            svg.labels << xml.readElementText();
        }
    }
    return xml.hasError() ? Svg{} : svg;
}

// An SVG path (y down) as outline points relative to the chord line's start (the nose).
std::vector<QPointF> fromSvg(const std::vector<QPointF>& path, QPointF nose) {
    std::vector<QPointF> points;
    points.reserve(path.size());
    for (const QPointF& p : path) {
        points.emplace_back(p.x() - nose.x(), nose.y() - p.y());
    }
    return points;
}

}  // namespace

// The template files as other programs read them: the DXF through a group-code reader, ezdxf
// and LibreCAD, the SVG as XML and through rsvg-convert, the PDF through qpdf and poppler.
class TestTemplateFiles : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    QString section(const Naca4& naca, const char* name) const {
        QString file = path(QLatin1String(name) + QStringLiteral(".dat"));
        if (!QFile::exists(file)) {
            writeFile(file, stationDataFile(naca, QByteArray("NACA ") + name));
        }
        return file;
    }
    ToolRun run(QStringList arguments) const {
        arguments.prepend(QStringLiteral("-o"));
        arguments.insert(1, dir_->path());
        return runTool(QStringLiteral(VANDRIX_EXPORT_COMMAND), arguments);
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void dxf_data() {
        QTest::addColumn<double>("chord");
        for (const double chord : {1.0, 150.0, 600.0, 5000.0}) {
            QTest::addRow("%g mm", chord) << chord;
        }
    }
    void dxf() {
        QFETCH(double, chord);
        const ToolRun done = run({QStringLiteral("--dxf"), QStringLiteral("--chord"),
                                  QString::number(chord), section(Naca2412, "2412")});
        QCOMPARE(done.exitCode, 0);
        const DxfDrawing dxf = parseDxf(readAll(path(QStringLiteral("2412.dxf"))));
        QVERIFY(dxf.wellFormed);
        QCOMPARE(dxf.header.at(QStringLiteral("$ACADVER")), QStringLiteral("AC1015"));
        QCOMPARE(dxf.header.at(QStringLiteral("$INSUNITS")), QStringLiteral("4"));
        QStringList kinds;
        for (const DxfEntity& e : dxf.entities) {
            kinds << e.type + QLatin1Char('/') + e.value(8);
        }
        QCOMPARE(kinds, QStringList({"LWPOLYLINE/OUTLINE", "LINE/CHORD", "TEXT/LABEL"}));
        const DxfEntity& outline = dxf.entities[0];
        QCOMPARE(outline.value(70).toInt() & 1, 1);  // closed
        QCOMPARE(outline.value(90).toInt(), 402);
        QVERIFY(sameOutline(outline.vertices(), expectedOutline(Naca2412, chord)));
        const DxfEntity& chordLine = dxf.entities[1];
        QCOMPARE(chordLine.value(10).toDouble(), 0.0);
        QVERIFY(std::abs(chordLine.value(11).toDouble() - chord) < Tolerance);
        QCOMPARE(dxf.entities[2].value(1),
                 QStringLiteral("NACA 2412, chord %1 mm").arg(MillimetreText(chord)));
    }

    void validity_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("length");  // of the whole drawing along x, mm
        QTest::newRow("150 mm") << QStringList{"--chord", "150"} << "2412" << 150.0;
        QTest::newRow("600 mm") << QStringList{"--chord", "600"} << "2412" << 600.0;
        QTest::newRow("features") << QStringList{"--chord", "200", "--te-thickness", "1",
                                                 "--inset", "1.5", "--spar",         "30:6:5:both"}
                                  << "2412" << 200.0;
        // 200 + 10 + 150 + 10 + 100 mm, side by side.
        QTest::newRow("rib set") << QStringList{"--chord", "200", "--ribs",      "3",
                                                "--tip",   "TIP", "--tip-chord", "100"}
                                 << "2412-ribs" << 470.0;
    }
    void validity() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, name);
        QFETCH(double, length);
        arguments.replaceInStrings(QStringLiteral("TIP"), section(Naca0012, "0012"));
        arguments << QStringLiteral("--dxf") << QStringLiteral("--template-svg")
                  << QStringLiteral("--template") << section(Naca2412, "2412");
        QCOMPARE(run(arguments).exitCode, 0);
        const bool ribs = name.endsWith(QLatin1String("ribs"));
        const QString dxf = path(name + QStringLiteral(".dxf"));
        const QString svg = path(name + (ribs ? QStringLiteral(".svg") : "-template.svg"));
        const QString pdf = path(name + (ribs ? QStringLiteral(".pdf") : "-template.pdf"));

        // ezdxf reads it and its audit finds no error.
        const ToolRun audit =
            runTool(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-c"),
                     QStringLiteral("import sys, ezdxf\ndoc = ezdxf.readfile(sys.argv[1])\n"
                                    "print(len(doc.audit().errors), doc.units, "
                                    "len(doc.modelspace().query('SPLINE')))"),
                     dxf});
        QVERIFY2(audit.exitCode == 0, audit.err.constData());
        QCOMPARE(audit.out.trimmed(), QByteArray("0 4 0"));

        // LibreCAD prints it at 1:1 (a broken file would leave it waiting on a dialog).
        const QString printed = path(QStringLiteral("librecad"));
        QVERIFY(QDir().mkpath(printed));
        const ToolRun lc = runTool(
            {.program = QStringLiteral("librecad"),
             .arguments = {QStringLiteral("dxf2pdf"), QStringLiteral("-s"), QStringLiteral("1"),
                           QStringLiteral("-c"), QStringLiteral("-t"), printed, dxf},
             .setEnv = {{"QT_QPA_PLATFORM", "offscreen"}}});
        QCOMPARE(lc.exitCode, 0);
        const QString lcPdf = printed + QLatin1Char('/') + name + QStringLiteral(".pdf");
        QVERIFY(QFile::exists(lcPdf));
        QCOMPARE(runTool(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                          QStringLiteral("-singlefile"), lcPdf, printed + QStringLiteral("/page")})
                     .exitCode,
                 0);
        const double lcLength = inkWidth(QImage(printed + QStringLiteral("/page.png"))) * 0.254;
        QVERIFY2(std::abs(lcLength - length) < 2.0, qPrintable(QString::number(lcLength)));

        // rsvg-convert renders the SVG at its size in millimetres, and the outline alone (ten
        // pixels a user unit, a millimetre) is the drawing's length.
        const QString png = path(QStringLiteral("svg.png"));
        QCOMPARE(runTool(QStringLiteral("rsvg-convert"), {svg, QStringLiteral("-o"), png}).exitCode,
                 0);
        const Svg read = readSvg(readAll(svg));
        QVERIFY(read.width.endsWith(QLatin1String("mm")));
        QVERIFY(std::abs(QImage(png).width() - read.width.chopped(2).toDouble() * 96 / 25.4) < 1.0);
        QCOMPARE(runTool(QStringLiteral("rsvg-convert"),
                         {QStringLiteral("-i"), QStringLiteral("outline"), QStringLiteral("-z"),
                          QStringLiteral("10"), svg, QStringLiteral("-o"), png})
                     .exitCode,
                 0);
        double left = 1e9;
        double right = -1e9;
        for (const DxfEntity& e : parseDxf(readAll(dxf)).entities) {
            for (const QPointF& p :
                 e.type == QLatin1String("LWPOLYLINE") ? e.vertices() : std::vector<QPointF>{}) {
                left = std::min(left, p.x());
                right = std::max(right, p.x());
            }
        }
        const double outlineLength = inkWidth(QImage(png)) / 10.0;
        QVERIFY2(std::abs(outlineLength - (right - left)) < 0.3,
                 qPrintable(QString::number(outlineLength)));

        // qpdf and poppler read the PDF.
        QCOMPARE(runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).exitCode, 0);
        const ToolRun text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QCOMPARE(text.exitCode, 0);
        QVERIFY(text.out.contains("Print at 100 % (no fit to page)"));
        QVERIFY(text.out.contains("NACA 2412"));
    }

    void svg_data() {
        QTest::addColumn<double>("chord");
        for (const double chord : {1.0, 150.0, 600.0, 5000.0}) {
            QTest::addRow("%g mm", chord) << chord;
        }
    }
    void svg() {
        QFETCH(double, chord);
        QCOMPARE(run({QStringLiteral("--template-svg"), QStringLiteral("--chord"),
                      QString::number(chord), section(Naca2412, "2412")})
                     .exitCode,
                 0);
        const Svg read = readSvg(readAll(path(QStringLiteral("2412-template.svg"))));
        QVERIFY(read.width.endsWith(QLatin1String("mm")) &&
                read.height.endsWith(QLatin1String("mm")));
        // One user unit is a millimetre.
        QCOMPARE(read.viewBox,
                 QStringLiteral("0 0 %1 %2").arg(read.width.chopped(2), read.height.chopped(2)));
        QCOMPARE(read.paths.at(QStringLiteral("outline")).size(), 1u);
        QCOMPARE(read.paths.at(QStringLiteral("chord")).size(), 1u);
        QCOMPARE(read.labels,
                 QStringList{QStringLiteral("NACA 2412, chord %1 mm").arg(MillimetreText(chord))});
        const std::vector<QPointF> chordLine = read.paths.at(QStringLiteral("chord")).front();
        QVERIFY(std::abs(chordLine[1].x() - chordLine[0].x() - chord) < Tolerance);
        QVERIFY(sameOutline(fromSvg(read.paths.at(QStringLiteral("outline")).front(), chordLine[0]),
                            expectedOutline(Naca2412, chord)));
    }

    void pdf_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("1 mm") << 1.0 << 1 << false;
        QTest::newRow("150 mm") << 150.0 << 1 << false;
        QTest::newRow("600 mm, tiled") << 600.0 << 3 << true;
    }
    void pdf() {
        QFETCH(double, chord);
        QFETCH(int, pages);
        QFETCH(bool, landscape);
        QCOMPARE(run({QStringLiteral("--template"), QStringLiteral("--chord"),
                      QString::number(chord), section(Naca2412, "2412")})
                     .exitCode,
                 0);
        const QString pdf = path(QStringLiteral("2412-template.pdf"));
        QCOMPARE(runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).exitCode, 0);
        const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.out.contains(
            QByteArray(QByteArray("Pages:           ") + QByteArray::number(pages))));
        QVERIFY(info.out.contains(landscape ? "842 x 595 pts (A4)" : "595 x 842 pts (A4)"));
        const QString text =
            QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out);
        QCOMPARE(text.count(QStringLiteral("Print at 100 % (no fit to page)")), pages);
        QCOMPARE(text.count(QStringLiteral("NACA 2412, chord %1 mm").arg(MillimetreText(chord))),
                 pages + 1);  // the footers, and the label once
        for (int column = 1; pages > 1 && column <= pages; ++column) {
            QVERIFY(text.contains(
                QStringLiteral("row/column 1/%1 (1 x %2 pages)").arg(column).arg(pages)));
        }

        // Every page draws the whole outline (clipped to its tile): within 0.01 mm of the
        // section at the chord, measured from the chord line's start.
        const auto strokes = pdfStrokes(pdf, path(QStringLiteral("qdf.pdf")));
        const auto& outlines = strokes.at(QStringLiteral("0.200000000"));
        QCOMPARE(int(outlines.size()), pages);
        const auto& thin = strokes.at(QStringLiteral("0.100000000"));
        const QPointF nose = thin.front().front();
        QVERIFY(std::abs(thin.front().back().x() - nose.x() - chord) < Tolerance);
        std::vector<QPointF> page1;
        for (const QPointF& p : outlines.front()) {
            page1.emplace_back(p.x() - nose.x(), nose.y() - p.y());
        }
        // The nose is a point of both surfaces: the PDF writer draws it once, and it closes
        // the path by returning to the first point.
        std::vector<QPointF> want = expectedOutline(Naca2412, chord);
        want.erase(want.begin() + 201);
        QCOMPARE(page1.front(), page1.back());
        page1.pop_back();
        QVERIFY(sameOutline(page1, want));
        // Each next tile shows the item a drawing area less the 10 mm overlap further on.
        for (int i = 1; i < pages; ++i) {
            const double step =
                outlines[std::size_t(i - 1)].front().x() - outlines[std::size_t(i)].front().x();
            QVERIFY(std::abs(step - (DrawingArea(landscape).width() - TileOverlap)) < 1e-6);
        }
    }

    void checkBars_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << 150.0 << false;
        QTest::newRow("landscape") << 250.0 << true;
    }
    void checkBars() {
        QFETCH(double, chord);
        QFETCH(bool, landscape);
        QCOMPARE(run({QStringLiteral("--template"), QStringLiteral("--chord"),
                      QString::number(chord), section(Naca0012, "0012")})
                     .exitCode,
                 0);
        // Ten pixels a millimetre.
        QCOMPARE(runTool(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                          QStringLiteral("-png"), QStringLiteral("-singlefile"),
                          path(QStringLiteral("0012-template.pdf")), path(QStringLiteral("page"))})
                     .exitCode,
                 0);
        const QImage page(path(QStringLiteral("page.png")));
        QVERIFY(std::abs(page.width() - (landscape ? 2970 : 2100)) <= 1);
        const QRectF area = DrawingArea(landscape);
        // The bars' lines, 0.1 mm wide, fall on one of the pixels around their place.
        int alongX = 0;
        int alongY = 0;
        for (int d = -2; d <= 2; ++d) {
            alongX = std::max(alongX, darkRun(page, qRound((area.bottom() + 6.0) * 10) + d, true));
            alongY = std::max(alongY, darkRun(page, qRound((area.left() - 4.0) * 10) + d, false));
        }
        // 100 mm and the width of the end ticks, within a pixel each side.
        QVERIFY2(std::abs(alongX - 1001) <= 3, qPrintable(QString::number(alongX)));
        QVERIFY2(std::abs(alongY - 1001) <= 3, qPrintable(QString::number(alongY)));
    }

    void features() {
        // Every format carries the same built outline.
        const QStringList arguments{
            QStringLiteral("--chord"),        QStringLiteral("200"),
            QStringLiteral("--te-thickness"), QStringLiteral("1"),
            QStringLiteral("--inset"),        QStringLiteral("1.5"),
            QStringLiteral("--spar"),         QStringLiteral("30:6:5"),
            QStringLiteral("--spar"),         QStringLiteral("70:4:2:lower"),
            QStringLiteral("--dxf"),          QStringLiteral("--template-svg"),
            QStringLiteral("--template"),     section(Naca2412, "2412")};
        QCOMPARE(run(arguments).exitCode, 0);
        SectionCurves s;
        for (int i = 0; i < SectionStations; ++i) {
            s.setPoint(UpperCurve, i, {station(i), stationHeight(Naca2412, station(i), 1)});
            s.setPoint(LowerCurve, i, {station(i), stationHeight(Naca2412, station(i), -1)});
        }
        // The data file holds eight decimals; the geometry is built from the same numbers.
        const Result<RibOutline> rib = BuildRib(
            s, 200.0,
            {1.0, 1.5, {{30, 6, 5, SparNotch::Side::Upper}, {70, 4, 2, SparNotch::Side::Lower}}});
        QVERIFY(rib);
        // The file's eight decimals may move Clipper's vertices along the outline, not off it.
        std::vector<std::pair<double, double>> want;
        for (const QPointF& p : rib.value().rings.front()) {
            want.emplace_back(p.x(), p.y());
        }
        want.push_back(want.front());
        const auto onOutline = [&want](const std::vector<QPointF>& points) {
            for (const QPointF& p : points) {
                if (distanceTo(want, p.x(), p.y()) > Tolerance) {
                    qWarning() << p << "is off the outline";
                    return false;
                }
            }
            return points.size() > 300;
        };
        const DxfDrawing dxf = parseDxf(readAll(path(QStringLiteral("2412.dxf"))));
        QVERIFY(onOutline(dxf.entities.front().vertices()));
        const Svg svg = readSvg(readAll(path(QStringLiteral("2412-template.svg"))));
        QVERIFY(onOutline(fromSvg(svg.paths.at(QStringLiteral("outline")).front(),
                                  svg.paths.at(QStringLiteral("chord")).front().front())));
        const auto strokes =
            pdfStrokes(path(QStringLiteral("2412-template.pdf")), path(QStringLiteral("qdf.pdf")));
        const QPointF nose = strokes.at(QStringLiteral("0.100000000")).front().front();
        std::vector<QPointF> printed;
        for (const QPointF& p : strokes.at(QStringLiteral("0.200000000")).front()) {
            printed.emplace_back(p.x() - nose.x(), nose.y() - p.y());
        }
        QVERIFY(onOutline(printed));
    }

    void ribSet() {
        QCOMPARE(run({QStringLiteral("--ribs"), QStringLiteral("3"), QStringLiteral("--tip"),
                      section(Naca0012, "0012"), QStringLiteral("--chord"), QStringLiteral("200"),
                      QStringLiteral("--tip-chord"), QStringLiteral("100"), QStringLiteral("--dxf"),
                      QStringLiteral("--template"), section(Naca2412, "2412")})
                     .exitCode,
                 0);
        const DxfDrawing dxf = parseDxf(readAll(path(QStringLiteral("2412-ribs.dxf"))));
        std::vector<const DxfEntity*> outlines;
        QStringList labels;
        for (const DxfEntity& e : dxf.entities) {
            if (e.type == QLatin1String("LWPOLYLINE")) {
                outlines.push_back(&e);
            } else if (e.type == QLatin1String("TEXT")) {
                labels << e.value(1);
            }
        }
        QCOMPARE(outlines.size(), 3u);
        QCOMPARE(labels,
                 QStringList({"NACA 2412 rib 1/3, chord 200 mm", "NACA 2412 rib 2/3, chord 150 mm",
                              "NACA 2412 rib 3/3, chord 100 mm"}));
        // The middle rib, by hand: half of each section at the same x, at half-way chord,
        // placed 10 mm after the first.
        std::vector<QPointF> middle;
        for (int i = 200; i >= 0; --i) {
            const double x = station(i);
            middle.emplace_back(
                150 * x,
                150 * 0.5 * (stationHeight(Naca2412, x, 1) + stationHeight(Naca0012, x, 1)));
        }
        for (int i = 0; i <= 200; ++i) {
            const double x = station(i);
            middle.emplace_back(
                150 * x,
                150 * 0.5 * (stationHeight(Naca2412, x, -1) + stationHeight(Naca0012, x, -1)));
        }
        const double firstRight = outlines[0]->vertices().front().x();
        QVERIFY(sameOutline(outlines[1]->vertices(), middle, QPointF(firstRight + 10.0, 0.0)));
        QVERIFY(sameOutline(outlines[2]->vertices(), expectedOutline(Naca0012, 100),
                            QPointF(firstRight + 10.0 + 150.0 + 10.0, 0.0)));
        const ToolRun info =
            runTool(QStringLiteral("pdfinfo"), {path(QStringLiteral("2412-ribs.pdf"))});
        QVERIFY(info.out.contains("Pages:           1"));
    }

    // Inputs a template cannot be made of; each usage error is tst_exportoptions' and
    // tst_templatevalues'.
    void badValues_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("written");
        const QStringList none;
        QTest::newRow("notch through one rib")
            << QStringList{"--dxf", "--chord", "100", "--spar", "30:4:3.2:both", "A", "B"}
            << "0006.dat: the spar notch at 30 % (3.2 mm deep) cuts the rib through"
            << QStringList{"0024.dxf"};
        QTest::newRow("notch wider than the chord")
            << QStringList{"--dxf", "--chord", "10", "--spar", "50:12:1", "A"}
            << "12 mm wide, wider than the chord of 10 mm" << none;
        QTest::newRow("inset leaves nothing")
            << QStringList{"--dxf", "--template-svg", "--chord", "50", "--inset", "2", "A", "B"}
            << "0006.dat: an inset of 2 mm leaves nothing"
            << QStringList{"0024-template.svg", "0024.dxf"};
        QTest::newRow("tip not a section")
            << QStringList{"--ribs", "2", "--tip", "NOTSECTION", "--dxf", "B"} << "not a section"
            << none;
        QTest::newRow("output would replace an input")
            << QStringList{"--template-svg", "B", "COPY"} << "would replace an input file"
            << QStringList{"0024-template-template.svg"};
    }
    void badValues() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QFETCH(QStringList, written);
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^A$")),
                                   section(Naca0006, "0006"));
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^B$")),
                                   section(Naca0024, "0024"));
        // A file whose header ends early: the viewer shows it without curves.
        writeFile(path(QStringLiteral("notsection.dat")), "one line\n");
        arguments.replaceInStrings(QStringLiteral("NOTSECTION"),
                                   path(QStringLiteral("notsection.dat")));
        const QString copy = path(QStringLiteral("0024-template.svg"));
        const bool copied = arguments.contains(QStringLiteral("COPY"));
        if (copied) {
            QVERIFY(QFile::copy(section(Naca0024, "0024"), copy));
            arguments.replaceInStrings(QStringLiteral("COPY"), copy);
        }
        const ToolRun done = run(arguments);
        QCOMPARE(done.exitCode, 1);
        const QStringList lines =
            QString::fromLocal8Bit(done.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(done.err.contains(message.toLocal8Bit()), done.err.constData());
        QCOMPARE(lines.filter(QStringLiteral("vandrix-export:")).size(), 1);
        QStringList outputs = QDir(dir_->path())
                                  .entryList({QStringLiteral("*.dxf"), QStringLiteral("*.svg"),
                                              QStringLiteral("*-template.pdf")},
                                             QDir::Files);
        if (copied) {
            outputs.removeAll(QStringLiteral("0024-template.svg"));
        }
        QCOMPARE(outputs, written);
    }
};

QTEST_GUILESS_MAIN(TestTemplateFiles)
#include "tst_templatefiles.moc"
