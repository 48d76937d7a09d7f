// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TemplateExport.h"

#include "formats/SectionFile.h"
#include "formats/TemplateDxf.h"
#include "formats/TemplateSvg.h"
#include "render/TemplatePages.h"

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

Result<SectionCurves> ReadTipSection(const QString& path) {
    SectionReading how;
    how.unusableMessage = BuiltInUnusableMessage();
    const SectionRead read = ReadSection(path, how);
    if (!read.clean()) {
        return Result<SectionCurves>::failure(read.messages.join(QLatin1Char(' ')));
    }
    return Result<SectionCurves>::success(read.section.curves);
}

namespace {

// The items to draw: one template, or the rib set from `section` to the tip (read here).
Result<std::vector<TemplateItem>> TemplateItems(const SectionCurves& section, const QString& name,
                                                const TemplateSettings& settings) {
    using Items = Result<std::vector<TemplateItem>>;
    std::vector<TemplateItem> items;
    if (const Status usable = CheckSection(section); !usable) {
        return Items::failure(usable.error());
    }
    if (settings.ribs <= 0) {
        Result<RibOutline> rib = BuildRib(section, settings.chord, settings.features);
        if (!rib) {
            return Items::failure(rib.error());
        }
        items.push_back(
            {rib.value(),
             QStringLiteral("%1, chord %2 mm").arg(name, MillimetreText(settings.chord))});
        return Items::success(std::move(items));
    }
    const Result<SectionCurves> tip = ReadTipSection(settings.tip);
    if (!tip) {
        return Items::failure(QStringLiteral("tip %1: %2").arg(settings.tip, tip.error()));
    }
    if (const Status usable = CheckSection(tip.value()); !usable) {
        return Items::failure(QStringLiteral("tip %1: %2").arg(settings.tip, usable.error()));
    }
    const double tipChord = settings.tipChord.value_or(settings.chord);
    const int count = settings.ribs;
    items.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        const double weight = static_cast<double>(k - 1) / (count - 1);
        const double chord = (1.0 - weight) * settings.chord + weight * tipChord;
        const SectionCurves blend = BlendSections(section, tip.value(), weight);
        Result<RibOutline> rib = BuildRib(blend, chord, settings.features);
        if (!rib) {
            return Items::failure(
                QStringLiteral("rib %1/%2: %3").arg(k).arg(count).arg(rib.error()));
        }
        items.push_back({rib.value(), QStringLiteral("%1 rib %2/%3, chord %4 mm")
                                          .arg(name)
                                          .arg(k)
                                          .arg(count)
                                          .arg(MillimetreText(chord))});
    }
    return Items::success(std::move(items));
}

}  // namespace

Status ExportTemplates(const QString& input, const SectionCurves& section, const QString& name,
                       const TemplateSettings& settings, const TemplateOutputs& outputs,
                       const QString& fontName, const TemplateFileWriter& write) {
    const Result<std::vector<TemplateItem>> items = TemplateItems(section, name, settings);
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
        const Result<QByteArray> pdf = TemplatePdf(items.value(), {name, fontName});
        if (pdf) {
            put(outputs.pdf, pdf.value());
        } else {
            lines << outputs.pdf + QStringLiteral(": ") + pdf.error();
        }
    }
    return lines.isEmpty() ? Status::success() : Status::failure(lines);
}

}  // namespace vandrix
