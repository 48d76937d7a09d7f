#include "PrinterLoader.h"

#include "output/PrinterModule.h"

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
    static OpenDefaultPrinterFunction open = nullptr;
    if (open != nullptr) {
        return open;
    }
    QStringList reasons;
    for (const QString& path : moduleCandidates()) {
        QLibrary module(path);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        open =
            reinterpret_cast<OpenDefaultPrinterFunction>(module.resolve(OpenDefaultPrinterSymbol));
        if (open != nullptr) {
            return open;
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
    const OpenDefaultPrinterFunction open = loadModule(error);
    if (open == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<PrintSurface>(open(jobName, error));
}

}  // namespace vandrix
