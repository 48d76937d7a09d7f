// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading true-size templates back: data files made from NACA formulas at the 201 stations,
// DXF group codes, and the strokes of a PDF page.

#include "NacaSections.h"
#include "ToolRun.h"

#include <QByteArray>
#include <QFile>
#include <QPointF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cmath>
#include <map>
#include <numbers>
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

// The stroked paths of a PDF written by Qt, in page millimetres (y down), per pen width:
// decompressed by qpdf, then each "m"/"l" run drawn under the millimetre matrix.
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
    static const QRegularExpression number(QStringLiteral("^-?[0-9.]+$"));
    QString width;
    std::vector<QPointF> path;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QStringList words =
            QString::fromLatin1(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() >= 2 && words[1] == QLatin1String("w")) {
            width = words[0];
        }
        if (words.size() == 3 &&
            (words[2] == QLatin1String("m") || words[2] == QLatin1String("l")) &&
            number.match(words[0]).hasMatch()) {
            if (words[2] == QLatin1String("m") && !path.empty()) {
                strokes[width].push_back(std::move(path));
                path.clear();
            }
            path.emplace_back(words[0].toDouble(), words[1].toDouble());
        } else if (!path.empty() && !(words.size() == 3 && words[2] == QLatin1String("l"))) {
            strokes[width].push_back(std::move(path));
            path.clear();
        }
    }
    return strokes;
}

}  // namespace vandrix::testing
