#pragma once

#include "app/AppState.h"

#include <QString>

namespace vandrix {

// Takes the name the open-file dialog gave back. An empty name changes nothing. Otherwise
// DataName becomes the part after the last directory separator and DataPath the whole name;
// a name that ends with a separator leaves DataName empty and DataPath as it was.
// Returns false when the name was unusable and the user must be told.
bool TakeChosenFile(AppState& state, const QString& chosenName);

}  // namespace vandrix
