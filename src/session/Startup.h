// SPDX-License-Identifier: GPL-3.0-or-later
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

// Reads Set.txt of the program directory into the state; the two scale boxes then show the
// stored scales. When the file cannot be opened: one message, the language becomes 1, and the
// boxes keep what they show.
void ReadSetting(AppState& state, MainWindowPort& window, Dialogs& dialogs);

// Writes Set.txt of the program directory, atomically where the directory allows it and in
// place where it takes no new file; when neither works, one message and the old file whole.
void WriteSetting(const AppState& state, Dialogs& dialogs);

// Shut-down: remember the program directory, write the settings, unload the window.
void ExitProgram(AppState& state, MainWindowPort& window, Dialogs& dialogs);

}  // namespace vandrix
