// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include "Dialogs.h"
#include "FileList.h"
#include "MainWindowPort.h"
#include "ProgramDirectory.h"
#include "formats/SettingsFile.h"
#include "model/Conversions.h"

#include <array>

namespace vandrix {

namespace {

constexpr int WindowFontPoints = 12;

// Names by which the program directory is recognised, besides the running program's own.
const std::array<QLatin1String, 2> ProgramFileNames = {QLatin1String("Vandrix.vbp"),
                                                       QLatin1String("Vandrix.exe")};

bool holdsProgramFile(const FileList& files, const QString& ownFileName) {
    for (const QLatin1String& known : ProgramFileNames) {
        if (files.holdsFile(known)) {
            return true;
        }
    }
    return !ownFileName.isEmpty() && files.holdsFile(ownFileName);
}

QString settingsPath(const AppState& state) {
    return ProgramFilePath(state.InitDir, QLatin1String(SettingsFileName));
}

}  // namespace

void ReadSetting(AppState& state, MainWindowPort& window, Dialogs& dialogs) {
    const Result<SettingsRead> settings = ReadSettingsFile(settingsPath(state));
    if (!settings) {
        dialogs.messageBox(settings.error());
        state.Language = 1;
        return;
    }
    const SettingsRead& read = settings.value();

    if (read.language) {
        state.Language = *read.language;
    }
    if (read.initDir) {
        state.InitDir = *read.initDir;
    }
    if (read.screenScale) {
        state.ScreenScale = *read.screenScale;
    }
    if (read.printerScale) {
        state.PrinterScale = *read.printerScale;
    }
    // The boxes show what is stored, also where a line overflowed or the file ended early.
    window.setScreenScaleText(Int16ToText(state.ScreenScale));
    window.setPrinterScaleText(DoubleToText(state.PrinterScale));
    dialogs.messageBoxes(read.messages);
}

void WriteSetting(const AppState& state, Dialogs& dialogs) {
    const QString path = settingsPath(state);
    const QByteArray bytes =
        FormatSettings(state.Language, state.InitDir, state.ScreenScale, state.PrinterScale);
    if (const Status saved = SaveSettingsFile(path, bytes); !saved) {
        dialogs.messageBox(saved.error());
    }
}

void Main(AppState& state, MainWindowPort& window, Dialogs& dialogs, const QString& ownFileName) {
    window.loadWindow();
    window.showWindow();
    ReadSetting(state, window, dialogs);

    if (state.InitDir.isEmpty()) {
        FileList& files = window.fileList();
        state.InitDir = files.path();
        if (!holdsProgramFile(files, ownFileName)) {
            state.InitDir = dialogs.inputBox(QStringLiteral("Input Program Directry"));
        }
        // A directory the file list cannot take stays as typed, so that the settings write
        // below tells the user it cannot be used.
        const bool taken = files.setPath(state.InitDir).ok();
        ReadSetting(state, window, dialogs);
        if (taken) {
            state.InitDir = files.path();
        }
        WriteSetting(state, dialogs);
    }

    window.readLanguage();
    window.setWindowFont(state.LangFontName, WindowFontPoints);
}

void ExitProgram(AppState& state, MainWindowPort& window, Dialogs& dialogs) {
    window.fileList().setPath(state.InitDir);
    WriteSetting(state, dialogs);
    window.unloadWindow();
}

}  // namespace vandrix
