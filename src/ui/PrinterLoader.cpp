// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrinterLoader.h"

#include "render/PrinterModule.h"
#include "render/Sheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPainter>
#include <QStringList>

#include <memory>

namespace vandrix {

namespace {

// Where the module lies: beside the program (the build tree), in the program's library
// directory once installed, and where this build put it (tests and benchmarks run from other
// directories of the build tree).
QStringList moduleCandidates() {
    const QString name = QStringLiteral(VANDRIX_PRINT_MODULE_NAME);
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.filePath(name),
            QDir::cleanPath(
                programDir.filePath(QStringLiteral(VANDRIX_PRINT_MODULE_INSTALL_DIR "/") + name)),
            QStringLiteral(VANDRIX_PRINT_MODULE_BUILD_DIR "/") + name};
}

Result<OpenDefaultPrinterFunction> loadModule() {
    static OpenDefaultPrinterFunction opener = nullptr;
    if (opener != nullptr) {
        return Result<OpenDefaultPrinterFunction>::success(opener);
    }
    QStringList reasons;
    for (const QString& path : moduleCandidates()) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QLibrary module(path);
        opener =
            reinterpret_cast<OpenDefaultPrinterFunction>(module.resolve(OpenDefaultPrinterSymbol));
        if (opener != nullptr) {
            // The module stays loaded for the rest of the run.
            return Result<OpenDefaultPrinterFunction>::success(opener);
        }
        reasons << module.errorString();
    }
    return Result<OpenDefaultPrinterFunction>::failure(
        reasons.isEmpty() ? QStringLiteral("The printing module %1 is not installed.")
                                .arg(QStringLiteral(VANDRIX_PRINT_MODULE_NAME))
                          : QStringLiteral("The printing module cannot be loaded: %1")
                                .arg(reasons.join(QStringLiteral("; "))));
}

}  // namespace

Status PrintOnDefaultPrinter(const SheetContent& sheet, const QString& jobName) {
    const Result<OpenDefaultPrinterFunction> opener = loadModule();
    if (!opener) {
        return Status::failure(opener.error());
    }
    Result<PrinterJob*> opened = opener.value()(jobName);
    if (!opened) {
        return Status::failure(opened.error());
    }
    const std::unique_ptr<PrinterJob> job(opened.take());
    QPainter painter;
    Status begun =
        BeginSheetPage(painter, job->device(), [&job](QPainter& p) { return job->begin(p); });
    if (!begun) {
        return begun;
    }
    PaintSheet(painter, sheet);
    return job->finish(painter);
}

}  // namespace vandrix
