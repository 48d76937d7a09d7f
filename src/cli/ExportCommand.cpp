// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCommand.h"

#include "ExportOptions.h"
#include "PrintableName.h"
#include "export/ExportBatch.h"
#include "export/ExportJob.h"
#include "export/OverlayExport.h"
#include "formats/InputFile.h"
#include "formats/LanguageFile.h"
#include "formats/SectionTable.h"
#include "formats/SettingsFile.h"
#include "formats/ShippedFiles.h"
#include "formats/TempFiles.h"
#include "model/PathBytes.h"

#include <QDir>
#include <QGuiApplication>
#include <QThread>

#include <memory>

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <optional>

namespace vandrix {

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Names in the line are shown with control characters escaped: a name may hold any byte.
void printLine(const QString& line) {
    std::fputs(
        (QStringLiteral("vandrix-export: ") + PrintableName(line) + QLatin1Char('\n')).toUtf8(),
        stderr);
}

// A usage error: the reason and where to find help.
int usageError(const QString& reason) {
    printLine(reason);
    std::fputs("Try 'vandrix-export --help' for more information.\n", stderr);
    return ExitUsage;
}

// The run's settings: the request's, with the program directory's Set.txt read as the viewer
// reads it at start-up; or the usage error.
Result<ExportSettings> settingsOf(const ExportRequest& request) {
    if (!request.programDir) {
        return Result<ExportSettings>::success(request.settings);
    }
    const QString setPath = QDir(*request.programDir).filePath(QLatin1String(SettingsFileName));
    const Result<SettingsRead> read = ReadSettingsFile(setPath);
    if (!read) {
        return Result<ExportSettings>::failure(read.error());
    }
    for (const QString& message : read.value().messages) {
        printLine(setPath + QStringLiteral(": warning: ") + message);
    }
    return WithProgramSettings(request, read.value());
}

// The sheet's font for the language, from the program directory's language file or else the
// shipped one; or why the sheet takes the default font.
Result<QString> fontFrom(const std::optional<QString>& programDir, std::int16_t language) {
    const QString path = programDir ? QDir(*programDir).filePath(QLatin1String(LanguageFileName))
                                    : ShippedLanguageFile();
    const auto noFile = [&] {
        return Result<QString>::failure(
            QStringLiteral("no language file%1; the sheet takes the default font")
                .arg(path.isEmpty() ? QString() : QStringLiteral(" at ") + path));
    };
    if (path.isEmpty()) {
        return noFile();
    }
    const Result<LanguageRead> read = ReadLanguageFile(path, language);
    if (!read) {
        return noFile();
    }
    return Result<QString>::success(
        read.value().text(LanguageSection::FontName).value_or(QString()));
}

// Files done out of all, on one line that rewrites itself.
class Progress {
public:
    Progress(std::size_t total, bool shown) : total_(total), shown_(shown) {}

    void message(const QString& line) const {
        clear();
        printLine(line);
    }
    void step() {
        ++done_;
        if (shown_) {
            std::fprintf(stderr, "\rvandrix-export: %zu/%zu", done_, total_);
            std::fflush(stderr);
        }
    }
    void clear() const {
        if (shown_ && done_ > 0) {
            std::fputs("\r\033[K", stderr);
        }
    }

private:
    std::size_t total_;
    bool shown_;
    std::size_t done_ = 0;
};

// The table to standard output ("-") or to a file, written whole under its name. Fails with the
// line to report.
Status writeTable(const QString& path, const QByteArray& table) {
    if (path != QLatin1String("-")) {
        return WriteOutput(path, table);
    }
    // Flushed here: an error the C library meets only at exit would go unreported.
    const bool written = std::fwrite(table.constData(), 1, std::size_t(table.size()), stdout) ==
                             std::size_t(table.size()) &&
                         std::fflush(stdout) == 0;
    return written ? Status::success()
                   : Status::failure(QStringLiteral("-: cannot write to standard output: %1")
                                         .arg(ErrnoText(errno)));
}

// Only the sheet needs fonts, and with them the platform's services; the plot draws on images.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool withFonts) {
    if (!withFonts) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    // Starting the platform complains about a missing runtime directory, which nothing here uses.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
                previous(type, context, message);
            }
        });
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

// The arguments as QString. Names are bytes: one that is not UTF-8 is kept exactly (see
// PathFromBytes).
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << PathFromBytes(QByteArray(argv[i]));
    }
    return arguments;
}

// Whether the run paints a sheet, a template page or the overlay's legend, which need fonts. Help
// and the version are answered without the platform: starting it would make its font database set
// fontconfig up when the application ends.
bool needsFonts(const ExportRequest& request) {
    return !request.help && !request.version &&
           (request.settings.pdf || request.settings.templates.pdf || request.settings.overlay);
}

// Exports the planned jobs, printing each input's lines in the order of the inputs, and writes
// the table; the exit status.
int runJobs(const ExportRequest& request, const ExportSettings& settings,
            const std::vector<ExportJob>& planned) {
    Progress progress(planned.size(), planned.size() > 1 && isatty(STDERR_FILENO) != 0);
    bool failed = false;
    // Reports are printed in the order of the inputs, each as soon as those before it are done.
    std::vector<std::optional<ExportReport>> reports(planned.size());
    std::size_t nextToPrint = 0;
    QByteArray table = settings.table ? SectionTableHeader() : QByteArray();
    std::vector<OverlaySection> overlay;  // in the order of the inputs
    const int threads = request.threads.value_or(std::max(QThread::idealThreadCount(), 1));
    RunExports(planned, settings, threads, [&](std::size_t job, const ExportReport& report) {
        reports[job] = report;
        for (; nextToPrint < reports.size() && reports[nextToPrint]; ++nextToPrint) {
            const ExportReport& done = *reports[nextToPrint];
            for (const QString& line : done.warnings) {
                progress.message(line);
            }
            for (const QString& line : done.errors) {
                progress.message(line);
            }
            failed = failed || !done.errors.isEmpty();
            table += done.tableRow;
            if (done.overlay) {
                overlay.push_back(*done.overlay);
            }
            reports[nextToPrint].reset();
        }
        progress.step();
    });
    progress.clear();
    if (settings.overlay) {
        if (const Status written =
                ExportOverlay(request.overlayPath, overlay, settings.screenScale);
            !written) {
            printLine(written.error());
            failed = true;
        }
    }
    if (settings.table) {
        if (const Status written = writeTable(request.tablePath, table); !written) {
            printLine(written.error());
            failed = true;
        }
    }
    return failed ? ExitFailed : 0;
}

// Exports what the request asks for; the exit status.
int run(const ExportRequest& request) {
    Result<ExportSettings> settingsRead = settingsOf(request);
    if (!settingsRead) {
        return usageError(settingsRead.error());
    }
    ExportSettings settings = settingsRead.take();
    if (settings.pdf || settings.templates.pdf) {
        const Result<QString> font = fontFrom(request.programDir, settings.language);
        if (!font) {
            printLine(QStringLiteral("warning: ") + font.error());
        }
        settings.fontName = font ? font.value() : QString();
    }
    const std::vector<ExportJob> planned = PlanExports(request.inputs, request.outputDir, settings);
    if (settings.table) {
        if (const Status table =
                CheckTablePath(request.tablePath, request.inputs, planned, settings);
            !table) {
            return usageError(table.error());
        }
    }
    if (settings.overlay) {
        if (const Status overlay = CheckOverlayPath(request.overlayPath, request.inputs, planned,
                                                    settings, request.tablePath);
            !overlay) {
            return usageError(overlay.error());
        }
    }
    return runJobs(request, settings, planned);
}

}  // namespace

int RunExportCommand(int& argc, char** argv) {
    // Unfinished outputs are removed on a termination signal from the start.
    InstallTempFileCleanup();
    const Result<ExportRequest> request = ParseExportArguments(argumentsOf(argc, argv));
    const std::unique_ptr<QCoreApplication> app =
        makeApplication(argc, argv, request && needsFonts(request.value()));
    // Writing an image would otherwise load every image-format plugin to ask whether one of them
    // wants to write PNG in place of Qt's own writer. The platform, when needed, is loaded.
    QCoreApplication::setLibraryPaths({});
    QCoreApplication::setApplicationName(QStringLiteral("vandrix-export"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANDRIX_VERSION));

    if (!request) {
        return usageError(request.error());
    }
    if (request.value().help) {
        std::fputs(ExportHelpText().toLocal8Bit(), stdout);
        return 0;
    }
    if (request.value().version) {
        std::fputs((QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n'))
                       .toLocal8Bit(),
                   stdout);
        return 0;
    }
    return run(request.value());
}

}  // namespace vandrix
