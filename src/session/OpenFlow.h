// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppState.h"
#include "formats/SectionFile.h"
#include "model/Result.h"

#include <QString>

class QIODevice;

namespace vandrix {

// Takes the name the open-file dialog gave back. An empty name changes nothing. Otherwise
// DataName becomes the part after the last directory separator and DataPath the whole name;
// a name that ends with a separator leaves DataName empty and DataPath as it was, and fails with
// the message for an unusable data file.
Status TakeChosenFile(AppState& state, const QString& chosenName);

// Reads the data file at state.DataPath: the curves go to state.PointX and state.PointY, ReadStop
// as the header rules leave it; the read holds the labels, values and messages for the window.
SectionRead ReadDataFile(AppState& state);

// The same from a device that is already open for reading, as a data file.
SectionRead ReadDataFileFrom(QIODevice& device, AppState& state);

// The text shown for a data file that cannot be used: the language file's message, or a
// built-in one while no language file has supplied it.
QString UnusableFileMessage(const AppState& state);

}  // namespace vandrix
