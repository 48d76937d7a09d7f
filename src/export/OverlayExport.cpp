// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/OverlayExport.h"

#include <QBuffer>

namespace vandrix {

Status CheckOverlayRequest(const QString& path, qsizetype inputs) {
    if (const Result<PictureFormat> format = PictureFormatOf(path); !format) {
        return Status::failure(QStringLiteral("--overlay %1: %2").arg(path, format.error()));
    }
    if (inputs < MinOverlayInputs || inputs > MaxOverlaySections) {
        return Status::failure(QStringLiteral("--overlay takes %1 to %2 inputs; %3 given")
                                   .arg(MinOverlayInputs)
                                   .arg(MaxOverlaySections)
                                   .arg(inputs));
    }
    return Status::success();
}

Status CheckOverlayPath(const QString& path, const QStringList& inputs,
                        const std::vector<ExportJob>& jobs, const ExportSettings& settings,
                        const QString& tablePath) {
    QStringList others;
    if (settings.table && tablePath != QLatin1String(StandardInputName)) {
        others << tablePath;
    }
    return CheckRunOutput(QStringLiteral("--overlay"), path, inputs, jobs, settings, others);
}

Status ExportOverlay(const QString& path, const std::vector<OverlaySection>& sections,
                     std::int16_t scale) {
    if (sections.empty()) {
        return Status::success();
    }
    const Result<PictureFormat> format = PictureFormatOf(path);
    if (!format) {
        return Status::failure(path + QStringLiteral(": ") + format.error());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const Status drawn = WriteOverlay(buffer, format.value(), sections, scale);
    buffer.close();
    return drawn ? WriteOutput(path, bytes)
                 : Status::failure(path + QStringLiteral(": ") + drawn.error());
}

}  // namespace vandrix
