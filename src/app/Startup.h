#pragma once

#include "AppState.h"

#include <QString>

namespace vandrix {

class Dialogs;
class MainWindowPort;

// Start-up: load and show the window, read the settings, find the program directory when the
// settings name none (by the program's own files, else by asking) and write the settings there,
// then the language step. `ownFileName` is the running program's file name.
void Main(AppState& state, MainWindowPort& window, Dialogs& dialogs, const QString& ownFileName);

// Reads Set.txt of the program directory into the state and the two scale boxes. When the file
// cannot be opened: one message, and the language becomes 1.
void ReadSetting(AppState& state, MainWindowPort& window, Dialogs& dialogs);

// Writes Set.txt of the program directory atomically: either the whole new file is in place
// or the old one stays untouched, and a failure is reported in one message.
void WriteSetting(const AppState& state, Dialogs& dialogs);

// Shut-down: remember the program directory, write the settings, unload the window.
void ExitProgram(AppState& state, MainWindowPort& window, Dialogs& dialogs);

}  // namespace vandrix
