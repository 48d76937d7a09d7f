// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TemplateExport.h"

#include "formats/DataFile.h"
#include "formats/TemplateDxf.h"
#include "formats/TemplateSvg.h"
#include "render/TemplatePages.h"

#include <QFileInfo>

namespace vandrix {

TemplateOutputs TemplateOutputNames(const QDir& dir, const QString& base,
                                    const TemplateSettings& settings) {
    TemplateOutputs outputs;
    const bool ribs = settings.ribs > 0;
    const auto name = [&](bool wanted, const char* suffix) {
        return wanted ? dir.filePath(base + QLatin1String(suffix)) : QString();
    };
    outputs.dxf = name(settings.dxf, ribs ? "-ribs.dxf" : ".dxf");
    outputs.pdf = name(settings.pdf, ribs ? "-ribs.pdf" : "-template.pdf");
    outputs.svg = name(settings.svg, ribs ? "-ribs.svg" : "-template.svg");
    return outputs;
}

namespace {

Result<NamedSection> ReadRibSection(const QString& path) {
    DataFileReading reading;
    reading.unusableMessage = BuiltInUnusableMessage();
    const DataFileOutcome data = ReadDataFileAt(path, reading);
    if (!data.messages.isEmpty()) {
        return Result<NamedSection>::failure(data.messages.join(QLatin1Char(' ')));
    }
    return Result<NamedSection>::success(
        SectionOfInput(path, data.values[0].value_or(QString()), data.curves));
}

}  // namespace

NamedSection SectionOfInput(const QString& path, const QString& title,
                            const SectionCurves& curves) {
    NamedSection named{title.trimmed(), curves};
    if (named.name.isEmpty()) {
        named.name = QFileInfo(path).completeBaseName();
    }
    return named;
}

namespace {

// The items to draw: one template, or the rib set from `section` to the tip (read here).
Result<std::vector<TemplateItem>> TemplateItems(const NamedSection& section,
                                                const TemplateSettings& settings) {
    using Items = Result<std::vector<TemplateItem>>;
    std::vector<TemplateItem> items;
    if (const QString problem = SectionProblem(section.section); !problem.isEmpty()) {
        return Items::failure(problem);
    }
    if (settings.ribs <= 0) {
        Result<RibOutline> rib = BuildRib(section.section, settings.chord, settings.features);
        if (!rib) {
            return Items::failure(rib.error());
        }
        items.push_back(
            {rib.value(),
             QStringLiteral("%1, chord %2 mm").arg(section.name, MillimetreText(settings.chord))});
        return Items::success(std::move(items));
    }
    const Result<NamedSection> tip = ReadRibSection(settings.tip);
    if (!tip) {
        return Items::failure(QStringLiteral("tip %1: %2").arg(settings.tip, tip.error()));
    }
    if (const QString problem = SectionProblem(tip.value().section); !problem.isEmpty()) {
        return Items::failure(QStringLiteral("tip %1: %2").arg(settings.tip, problem));
    }
    const double tipChord = settings.tipChord.value_or(settings.chord);
    const int count = settings.ribs;
    items.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        const double weight = static_cast<double>(k - 1) / (count - 1);
        const double chord = (1.0 - weight) * settings.chord + weight * tipChord;
        const SectionCurves blend = BlendSections(section.section, tip.value().section, weight);
        Result<RibOutline> rib = BuildRib(blend, chord, settings.features);
        if (!rib) {
            return Items::failure(
                QStringLiteral("rib %1/%2: %3").arg(k).arg(count).arg(rib.error()));
        }
        items.push_back({rib.value(), QStringLiteral("%1 rib %2/%3, chord %4 mm")
                                          .arg(section.name)
                                          .arg(k)
                                          .arg(count)
                                          .arg(MillimetreText(chord))});
    }
    return Items::success(std::move(items));
}

}  // namespace

Status ExportTemplates(const QString& input, const NamedSection& section,
                       const TemplateSettings& settings, const TemplateOutputs& outputs,
                       const QString& fontName, const TemplateFileWriter& write) {
    const Result<std::vector<TemplateItem>> items = TemplateItems(section, settings);
    if (!items) {
        return Status::failure(input + QStringLiteral(": ") + items.error());
    }
    QStringList lines;
    const auto put = [&](const QString& path, const QByteArray& bytes) {
        lines << write(path, bytes).errors();
    };
    if (!outputs.dxf.isEmpty()) {
        put(outputs.dxf, TemplateDxf(items.value()));
    }
    if (!outputs.svg.isEmpty()) {
        put(outputs.svg, TemplateSvg(items.value()));
    }
    if (!outputs.pdf.isEmpty()) {
        const Result<QByteArray> pdf = TemplatePdf(items.value(), {section.name, fontName});
        if (pdf) {
            put(outputs.pdf, pdf.value());
        } else {
            lines << outputs.pdf + QStringLiteral(": ") + pdf.error();
        }
    }
    return lines.isEmpty() ? Status::success() : Status::failure(lines);
}

}  // namespace vandrix
