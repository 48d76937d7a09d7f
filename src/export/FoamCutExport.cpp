// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/FoamCutExport.h"

#include "formats/FoamGCode.h"
#include "formats/FoamPreviewSvg.h"
#include "model/Conversions.h"

#include <QCoreApplication>

#include <array>

namespace vandrix {

namespace {

QString mm(double value) {
    return DoubleToText(value) + QStringLiteral(" mm");
}

QString towerAxes(const QString& axes, int tower) {
    return axes.mid(2 * qsizetype{tower}, 1) + QLatin1Char(' ') +
           axes.mid(2 * qsizetype{tower} + 1, 1);
}

QString positionText(const QString& axes, const TowerPosition& at) {
    const std::array<double, 4> values = TowerCoordinates(at);
    QStringList words;
    for (std::size_t axis = 0; axis < values.size(); ++axis) {
        words << axes.at(static_cast<qsizetype>(axis)) + QString::number(values.at(axis), 'f', 4);
    }
    return words.join(QLatin1Char(' '));
}

// The sections of the panel: the root and its tip, read here (the root's own section without
// one); or the line to report.
Result<FoamPanel> panelOf(const QString& input, const SectionCurves& root,
                          const TemplateSettings& templates, const FoamSettings& settings) {
    using Panel = Result<FoamPanel>;
    if (const Status usable = CheckSection(root); !usable) {
        return Panel::failure(input + QStringLiteral(": ") + usable.error());
    }
    FoamPanel panel;
    panel.root = root;
    panel.tip = root;
    if (!templates.tip.isEmpty()) {
        Result<SectionCurves> tip = ReadTipSection(templates.tip);
        const Status usable = tip ? CheckSection(tip.value()) : Status::failure(tip.error());
        if (!usable) {
            return Panel::failure(
                QStringLiteral("%1: tip %2: %3").arg(input, templates.tip, usable.error()));
        }
        panel.tip = tip.take();
    }
    panel.rootChord = templates.chord;
    panel.tipChord = templates.tipChord.value_or(templates.chord);
    panel.features = {templates.features.teThickness, templates.features.inset, {}};
    panel.origin = settings.origin;
    panel.sweep = settings.sweep;
    panel.washout = settings.washout;
    panel.rootKerf = settings.kerf;
    panel.tipKerf = settings.tipKerf.value_or(settings.kerf);
    panel.leadIn = settings.leadIn;
    panel.feed = settings.feed;
    return Panel::success(std::move(panel));
}

// Every parameter of the cut, and where the operator puts the wire first.
QStringList headerOf(const QString& input, const QString& name, const TemplateSettings& templates,
                     const FoamSettings& settings, const FoamPanel& panel, const FoamCut& cut) {
    const QString program = QString(QCoreApplication::applicationName() + QLatin1Char(' ') +
                                    QCoreApplication::applicationVersion())
                                .trimmed();
    const FoamMachine& machine = settings.machine;
    const bool rootLeft = machine.rootSide == RootSide::Left;
    const QString& axes = settings.axes;
    const auto code = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("none") : text;
    };
    return {
        QStringLiteral("%1: foam core %2 for a four-axis hot-wire machine")
            .arg(program.isEmpty() ? QStringLiteral("vandrix-export") : program, name),
        QStringLiteral("root: %1, chord %2; tip: %3, chord %4")
            .arg(input, mm(panel.rootChord),
                 templates.tip.isEmpty() ? QStringLiteral("the root's section") : templates.tip,
                 mm(panel.tipChord)),
        QStringLiteral("build: trailing edge %1, inset %2")
            .arg(templates.features.teThickness > 0.0 ? mm(templates.features.teThickness)
                                                      : QStringLiteral("as the section"),
                 mm(templates.features.inset)),
        QStringLiteral("machine: towers %1 apart, the root on the %2 tower [%3], its face %4 from "
                       "it, span %5")
            .arg(mm(machine.towers), rootLeft ? QStringLiteral("left") : QStringLiteral("right"),
                 towerAxes(axes, rootLeft ? 0 : 1), mm(machine.rootFaceFromRootTower()),
                 mm(machine.span)),
        QStringLiteral("faces: the root's leading edge at h %1 v %2, sweep %3, washout %4 deg "
                       "nose down about the middle of the tip's trailing edge")
            .arg(DoubleToText(panel.origin.x()), DoubleToText(panel.origin.y()), mm(panel.sweep),
                 DoubleToText(panel.washout)),
        QStringLiteral("kerf: %1 at the root, %2 at the tip; the wire runs half of it outside "
                       "each outline")
            .arg(mm(panel.rootKerf), mm(panel.tipKerf)),
        QStringLiteral("feed: %1 mm/min at the faster face, in inverse time; lead-in %2; "
                       "preheat %3 s")
            .arg(DoubleToText(panel.feed), mm(panel.leadIn), DoubleToText(settings.preheat)),
        QStringLiteral("axes: %1 left tower, %2 right tower; travel %3")
            .arg(towerAxes(axes, 0), towerAxes(axes, 1),
                 settings.travel ? QStringLiteral("%1 by %2 mm")
                                       .arg(DoubleToText(settings.travel->width()),
                                            DoubleToText(settings.travel->height()))
                                 : QStringLiteral("not given")),
        QStringLiteral("wire on: %1; wire off: %2")
            .arg(code(settings.wireOn), code(settings.wireOff)),
        QStringLiteral("lead-in start, %1 behind the middle of the trailing edge: %2; put the wire "
                       "there before starting")
            .arg(mm(panel.leadIn), positionText(axes, cut.start)),
    };
}

FoamPreviewText previewTextOf(const QString& name, const FoamSettings& settings,
                              const FoamPanel& panel) {
    const bool rootLeft = settings.machine.rootSide == RootSide::Left;
    const auto tower = [&](int index, bool root) {
        return QStringLiteral("%1 tower %2 (%3 side)")
            .arg(index == 0 ? QStringLiteral("left") : QStringLiteral("right"),
                 towerAxes(settings.axes, index),
                 root ? QStringLiteral("root") : QStringLiteral("tip"));
    };
    return {
        QStringLiteral("%1: foam core, span %2, towers %3 apart")
            .arg(name, mm(settings.machine.span), mm(settings.machine.towers)),
        QStringLiteral("root outline, chord %1").arg(mm(panel.rootChord)),
        QStringLiteral("tip outline, chord %1, sweep %2, washout %3 deg")
            .arg(mm(panel.tipChord), mm(panel.sweep), DoubleToText(panel.washout)),
        QStringLiteral("wire at the root face, kerf %1").arg(mm(panel.rootKerf)),
        QStringLiteral("wire at the tip face, kerf %1").arg(mm(panel.tipKerf)),
        tower(0, rootLeft),
        tower(1, !rootLeft),
    };
}

}  // namespace

FoamOutputs FoamOutputNames(const QDir& dir, const QString& base, const FoamSettings& settings) {
    if (!settings.gcode) {
        return {};
    }
    return {dir.filePath(base + QStringLiteral(".ngc")),
            dir.filePath(base + QStringLiteral("-gcode.svg"))};
}

Status ExportFoamCut(const QString& input, const SectionCurves& root, const QString& name,
                     const TemplateSettings& templates, const FoamSettings& settings,
                     const FoamOutputs& outputs, const TemplateFileWriter& write) {
    const Result<FoamPanel> panel = panelOf(input, root, templates, settings);
    if (!panel) {
        return Status::failure(panel.error());
    }
    const Result<FoamCut> cut = PlanFoamCut(panel.value(), settings.machine);
    const Status usable = cut ? CheckTravel(cut.value(), settings.travel, settings.axes)
                              : Status::failure(cut.error());
    if (!usable) {
        return Status::failure(input + QStringLiteral(": ") + usable.error());
    }
    FoamProgram program;
    program.header = headerOf(input, name, templates, settings, panel.value(), cut.value());
    program.axes = settings.axes;
    program.wireOn = settings.wireOn;
    program.wireOff = settings.wireOff;
    program.preheat = settings.preheat;
    program.feed = settings.feed;
    program.start = cut.value().start;
    program.moves = cut.value().moves;
    QStringList lines;
    lines << write(outputs.gcode, FoamGCode(program)).errors();
    lines << write(outputs.preview,
                   FoamPreviewSvg(cut.value(), previewTextOf(name, settings, panel.value())))
                 .errors();
    return lines.isEmpty() ? Status::success() : Status::failure(lines);
}

}  // namespace vandrix
