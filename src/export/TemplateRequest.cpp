// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TemplateRequest.h"

#include "export/TemplateExport.h"
#include "export/TemplateValues.h"
#include "formats/AtomicWrite.h"
#include "formats/FileIdentity.h"
#include "formats/SectionFile.h"
#include "model/Conversions.h"
#include "model/PathBytes.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <optional>
#include <vector>

namespace vandrix {

namespace {

// NAME of a chosen name: without a template's own endings, so that choosing one of the files
// writes the same set again.
QString baseName(const QString& name) {
    QString base = QFileInfo(name).fileName();
    for (const char* suffix : {".dxf", ".pdf", ".svg"}) {
        if (base.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
            base.chop(4);
            break;
        }
    }
    if (base.endsWith(QLatin1String("-template"), Qt::CaseInsensitive)) {
        base.chop(9);
    }
    return base;
}

// The settings the answer gives, or one message for each value that cannot be taken.
Result<TemplateSettings> readAnswer(const TemplateAnswer& answer) {
    TemplateSettings settings;
    QStringList problems;
    const auto take = [&problems](const char* subject, const QString& typed,
                                  Result<double> (*value)(const QString&), double& into) {
        const QString text = typed.trimmed();
        if (const Result<double> taken = value(text)) {
            into = taken.value();
        } else {
            problems << ValueProblem(QString::fromLatin1(subject), text, taken.error());
        }
    };
    take("Chord", answer.chord, &TemplateChordValue, settings.chord);
    // An empty box leaves its feature out.
    if (!answer.teThickness.trimmed().isEmpty()) {
        take("Trailing-edge thickness", answer.teThickness, &TemplateLengthValue,
             settings.features.teThickness);
    }
    if (!answer.inset.trimmed().isEmpty()) {
        take("Inset", answer.inset, &TemplateLengthValue, settings.features.inset);
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& text : answer.spars.split(blanks, Qt::SkipEmptyParts)) {
        if (const Result<SparNotch> notch = SparNotchValue(text)) {
            settings.features.spars.push_back(notch.value());
        } else {
            problems << ValueProblem(QStringLiteral("Spar notch"), text, notch.error());
        }
    }
    settings.dxf = answer.dxf;
    settings.pdf = answer.pdf;
    settings.svg = answer.svg;
    if (!settings.any()) {
        problems << QStringLiteral("Choose at least one of DXF, PDF template and SVG template.");
    }
    if (baseName(answer.name).isEmpty()) {
        problems << QStringLiteral("Choose a name to write the templates next to.");
    }
    return problems.isEmpty() ? Result<TemplateSettings>::success(std::move(settings))
                              : Result<TemplateSettings>::failure(problems);
}

// The same file under any name: a symlink, a hard link or a bind mount.
bool sameFile(const QString& a, const QString& b) {
    const std::optional<FileIdentity> file = IdentityOf(PathBytes(a));
    return file && file == IdentityOf(PathBytes(b));
}

}  // namespace

TemplateRequest StartingRequest(const QString& dataPath, const QString& title, double printerScale,
                                const QString& fontName) {
    TemplateRequest request;
    request.answer.chord = DoubleToText(printerScale);
    const QFileInfo data(dataPath);
    request.answer.name = data.dir().filePath(data.completeBaseName());
    request.dataPath = dataPath;
    request.title = title;
    request.fontName = fontName;
    return request;
}

Status CheckTemplateAnswer(const TemplateAnswer& answer) {
    const Result<TemplateSettings> read = readAnswer(answer);
    return read ? Status::success() : Status::failure(read.errors());
}

Status WriteTemplates(const TemplateRequest& request, const SectionCurves& curves) {
    const Result<TemplateSettings> read = readAnswer(request.answer);
    if (!read) {
        return Status::failure(read.errors());
    }
    const TemplateOutputs outputs = TemplateOutputNames(
        QFileInfo(request.answer.name).dir(), baseName(request.answer.name), read.value());
    for (const QString& output : {outputs.dxf, outputs.pdf, outputs.svg}) {
        if (sameFile(output, request.dataPath)) {
            return Status::failure(QStringLiteral("%1 would replace the data file.").arg(output));
        }
    }
    // Every file is built before any is written, so that a rib that cannot be built writes
    // nothing.
    std::vector<FileBytes> files;
    const Status built = ExportTemplates(
        request.dataPath, curves, SectionName(request.title, request.dataPath), read.value(),
        outputs, request.fontName, [&files](const QString& path, const QByteArray& bytes) {
            files.push_back({path, bytes});
            return Status::success();
        });
    // All or nothing: a full disk or a directory that refuses files leaves none of them behind.
    return built ? WriteFileSet(files) : built;
}

}  // namespace vandrix
