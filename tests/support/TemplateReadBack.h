// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading true-size templates back: data files made from NACA formulas at the 201 stations,
// DXF group codes, and the strokes of a PDF page.

#include "NacaSections.h"
#include "ToolRun.h"
#include "model/Section.h"

#include <QByteArray>
#include <QFile>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <cmath>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

namespace vandrix::testing {

inline double station(int i) {
    return (1.0 - std::cos(std::numbers::pi * i / 200.0)) / 2.0;
}

// Upper (side +1) or lower (-1) height at station x: mean line plus or minus half the
// thickness, square to the chord, so that every section shares the same 201 stations.
inline double stationHeight(const Naca4& s, double x, int side) {
    return s.meanLine(x).first + side * s.halfThickness(x);
}

// The section's curves at the 201 stations: curve 0 the upper surface, curve 1 the lower.
inline SectionCurves stationSection(const Naca4& s) {
    SectionCurves curves;
    for (int i = 0; i < SectionStations; ++i) {
        const double x = station(i);
        curves.setPoint(UpperCurve, i, {x, stationHeight(s, x, 1)});
        curves.setPoint(LowerCurve, i, {x, stationHeight(s, x, -1)});
    }
    return curves;
}

// A data file of the section: curve 0 (upper) from point 200 down to 0, then curve 1 (lower).
inline QByteArray stationDataFile(const Naca4& s, const QByteArray& name) {
    QByteArray bytes = "No.:No.:1\nDate:Date:2026-01-01\nName:Name:" + name +
                       "\nA:A:1\nB:B:2\n-\nC:C:3\nD:D:4\nE:E:201\n\n\n\n\n\n\n";
    for (int i = 200; i >= 0; --i) {
        const double x = station(i);
        bytes += QByteArray::number(x, 'f', 8) + ',' +
                 QByteArray::number(stationHeight(s, x, 1), 'f', 8) + '\n';
    }
    for (int i = 0; i <= 200; ++i) {
        const double x = station(i);
        bytes += QByteArray::number(x, 'f', 8) + ',' +
                 QByteArray::number(stationHeight(s, x, -1), 'f', 8) + '\n';
    }
    return bytes;
}

// One DXF entity: its type, group codes in order (code, value).
struct DxfEntity {
    QString type;
    std::vector<std::pair<int, QString>> codes;

    QString value(int code) const {
        for (const auto& [c, v] : codes) {
            if (c == code) {
                return v;
            }
        }
        return {};
    }
    std::vector<QPointF> vertices() const {
        std::vector<QPointF> points;
        for (std::size_t i = 0; i + 1 < codes.size(); ++i) {
            if (codes[i].first == 10 && codes[i + 1].first == 20) {
                points.emplace_back(codes[i].second.toDouble(), codes[i + 1].second.toDouble());
            }
        }
        return points;
    }
};

struct DxfDrawing {
    std::map<QString, QString> header;  // variable -> its first value
    std::vector<DxfEntity> entities;
    bool wellFormed = false;
};

inline DxfDrawing parseDxf(const QByteArray& bytes) {
    DxfDrawing drawing;
    const QList<QByteArray> lines = bytes.split('\n');
    QString section;
    QString variable;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        bool ok = false;
        const int code = lines[i].trimmed().toInt(&ok);
        if (!ok) {
            return drawing;
        }
        const QString value = QString::fromLatin1(lines[i + 1].trimmed());
        if (code == 0 && value == QLatin1String("EOF")) {
            drawing.wellFormed = true;
            return drawing;
        }
        if (code == 2 && i >= 2 && lines[i - 1].trimmed() == "SECTION") {
            section = value;
        } else if (section == QLatin1String("HEADER") && code == 9) {
            variable = value;
        } else if (section == QLatin1String("HEADER") && !variable.isEmpty()) {
            drawing.header.emplace(variable, value);
            variable.clear();
        } else if (code == 0 && value == QLatin1String("ENDSEC")) {
            section.clear();
        } else if (section == QLatin1String("ENTITIES")) {
            if (code == 0) {
                drawing.entities.push_back({value, {}});
            } else if (!drawing.entities.empty()) {
                drawing.entities.back().codes.emplace_back(code, value);
            }
        }
    }
    return drawing;
}

// A PDF matrix [a b c d e f]: (x, y) goes to (a x + c y + e, b x + d y + f).
struct PdfMatrix {
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0, e = 0.0, f = 0.0;

    QPointF map(QPointF p) const { return {a * p.x() + c * p.y() + e, b * p.x() + d * p.y() + f}; }
    // This matrix, then `then`.
    PdfMatrix operator*(const PdfMatrix& then) const {
        return {a * then.a + b * then.c,          a * then.b + b * then.d,
                c * then.a + d * then.c,          c * then.b + d * then.d,
                e * then.a + f * then.c + then.e, e * then.b + f * then.d + then.f};
    }
    double scale() const { return std::sqrt(std::abs(a * d - b * c)); }
};

// The stroked paths of a PDF written by Qt, in page millimetres (y down), per pen width in
// millimetres ("0.200000000"): decompressed by qpdf, then each "m"/"l" run taken through the
// matrices in force ("cm", saved and restored by "q" and "Q") from the page's device units, whose
// size the page's own matrix (the first after "/GSa gs /CSp cs /CSp CS") gives.
inline std::map<QString, std::vector<std::vector<QPointF>>> pdfStrokes(const QString& pdf,
                                                                       const QString& scratch) {
    std::map<QString, std::vector<std::vector<QPointF>>> strokes;
    if (runTool(QStringLiteral("qpdf"),
                {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), pdf, scratch})
            .exitCode != 0) {
        return strokes;
    }
    QFile file(scratch);
    if (!file.open(QIODevice::ReadOnly)) {
        return strokes;
    }
    constexpr double PointsPerMm = 72.0 / 25.4;
    PdfMatrix matrix;  // user units to device units
    std::vector<PdfMatrix> saved;
    double mmPerUnit = 1.0;
    bool pageMatrixNext = false;
    QString width;
    std::vector<QPointF> path;
    std::vector<double> operands;
    const auto endPath = [&] {
        if (!path.empty()) {
            strokes[width].push_back(std::move(path));
            path.clear();
        }
    };
    const auto toMm = [&](double x, double y) { return matrix.map(QPointF(x, y)) * mmPerUnit; };
    for (const QByteArray& raw : file.readAll().split('\n')) {
        if (raw == "/GSa gs /CSp cs /CSp CS") {
            pageMatrixNext = true;
            continue;
        }
        for (const QString& word :
             QString::fromLatin1(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool number = false;
            const double value = word.toDouble(&number);
            if (number) {
                operands.push_back(value);
                continue;
            }
            const std::vector<double> o = std::exchange(operands, {});
            if (word == QLatin1String("l") && o.size() == 2 && !path.empty()) {
                path.push_back(toMm(o[0], o[1]));
                continue;
            }
            endPath();
            if (word == QLatin1String("m") && o.size() == 2) {
                path.push_back(toMm(o[0], o[1]));
            } else if (word == QLatin1String("cm") && o.size() == 6) {
                const PdfMatrix m{o[0], o[1], o[2], o[3], o[4], o[5]};
                if (pageMatrixNext) {
                    mmPerUnit = std::abs(o[0]) / PointsPerMm;
                    matrix = PdfMatrix();
                    saved.clear();
                    pageMatrixNext = false;
                } else {
                    matrix = m * matrix;
                }
            } else if (word == QLatin1String("q")) {
                saved.push_back(matrix);
            } else if (word == QLatin1String("Q") && !saved.empty()) {
                matrix = saved.back();
                saved.pop_back();
            } else if (word == QLatin1String("w") && o.size() == 1) {
                width = QString::number(o[0] * matrix.scale() * mmPerUnit, 'f', 9);
            }
        }
    }
    endPath();
    return strokes;
}

}  // namespace vandrix::testing
