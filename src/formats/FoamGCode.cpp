// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/FoamGCode.h"

#include <array>
#include <charconv>

namespace vandrix {

namespace {

void appendNumber(QByteArray& out, double value) {
    // Room for any finite double in fixed notation.
    std::array<char, 512> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, 4);
    const QByteArrayView text(buffer.data(), error == std::errc() ? end - buffer.data() : 0);
    // A value that rounds to zero is written without its sign.
    out += text == "-0.0000" ? QByteArrayView("0.0000") : text;
}

void appendPosition(QByteArray& out, const QString& axes, const TowerPosition& at) {
    const std::array<double, 4> values = TowerCoordinates(at);
    for (std::size_t axis = 0; axis < values.size(); ++axis) {
        out += ' ';
        out += axes.at(static_cast<qsizetype>(axis)).toLatin1();
        appendNumber(out, values.at(axis));
    }
}

}  // namespace

QByteArray GCodeComment(const QString& text) {
    QByteArray comment = "(";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        comment += u == u'(' ? '[' : u == u')' ? ']' : u >= 0x20 && u < 0x7f ? char(u) : '?';
    }
    return comment + ")\n";
}

QByteArray FoamGCode(const FoamProgram& program) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(program.moves.size()) * 64 + 1024);
    for (const QString& line : program.header) {
        out += GCodeComment(line);
    }
    out += "G21\nG90\nG94\n";
    if (!program.wireOn.isEmpty()) {
        out += program.wireOn.toLatin1() + '\n';
    }
    if (program.preheat > 0.0) {
        out += "G4 P";
        appendNumber(out, program.preheat);
        out += '\n';
    }
    out += "G1";
    appendPosition(out, program.axes, program.start);
    out += " F";
    appendNumber(out, program.feed);
    out += "\nG93\n";
    for (const WireMove& move : program.moves) {
        out += "G1";
        appendPosition(out, program.axes, move.to);
        out += " F";
        appendNumber(out, move.inverseTime);
        out += '\n';
    }
    out += "G94\n";
    if (!program.wireOff.isEmpty()) {
        out += program.wireOff.toLatin1() + '\n';
    }
    out += "M2\n";
    return out;
}

}  // namespace vandrix
