#include "PrinterLoader.h"

#include "render/PrinterModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

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

OpenDefaultPrinterFunction loadModule(QString& error) {
    static OpenDefaultPrinterFunction opener = nullptr;
    if (opener != nullptr) {
        return opener;
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
            return opener;  // the module stays loaded for the rest of the run
        }
        reasons << module.errorString();
    }
    error = reasons.isEmpty() ? QStringLiteral("The printing module %1 is not installed.")
                                    .arg(QStringLiteral(VANDRIX_PRINT_MODULE_NAME))
                              : QStringLiteral("The printing module cannot be loaded: %1")
                                    .arg(reasons.join(QStringLiteral("; ")));
    return nullptr;
}

}  // namespace

std::unique_ptr<PrintSurface> OpenDefaultPrinter(const QString& jobName, QString& error) {
    const OpenDefaultPrinterFunction opener = loadModule(error);
    if (opener == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<PrintSurface>(opener(jobName, error));
}

}  // namespace vandrix
