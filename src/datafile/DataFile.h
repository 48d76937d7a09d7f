#pragma once

#include "app/AppState.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QIODevice;

namespace vandrix {

inline constexpr int HeaderPairCount = 8;

// What one read of a data file brings for the window: the label captions and value texts to
// set (index 0 is pair 1, Label1/Text1), and the messages to show afterwards, in order.
struct DataFileOutcome {
    std::array<std::optional<QString>, HeaderPairCount> labels;
    std::array<std::optional<QString>, HeaderPairCount> values;
    QStringList messages;
    // How many bytes of the file the read used: the data file as the viewer sees it.
    qint64 bytesUsed = 0;
};

// Reads the data file at state.DataPath: header lines into the outcome, the two curves into
// state.PointX/PointY (slots 0..200), state.ReadStop as the header rules leave it.
// The file is closed when this returns.
DataFileOutcome ReadDataFile(AppState& state);

// The same from a device that is already open for reading.
DataFileOutcome ReadDataFileFrom(QIODevice& device, AppState& state);

// The text shown for a data file that cannot be used: the language file's message, or a
// built-in one while no language file has supplied it.
QString UnusableFileMessage(const AppState& state);

}  // namespace vandrix
