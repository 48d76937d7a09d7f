// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenFlow.h"

#include "formats/DataFile.h"
#include "formats/HeaderLine.h"

#include <QDir>

namespace vandrix {

namespace {

// The window's reading: nothing else may write the file while it is read, so a pipe is refused
// like a device; a file that is neither kind reads as a damaged data file.
SectionReading readingFor(const AppState& state) {
    SectionReading how;
    how.curves = {state.PointX, state.PointY};
    how.unusableMessage = UnusableFileMessage(state);
    how.fifo = FifoRule::Refuse;
    how.neither = NeitherRule::ReadAsDataFile;
    how.lossyName = true;
    return how;
}

SectionRead keep(SectionRead read, AppState& state) {
    state.PointX = read.section.curves.x;
    state.PointY = read.section.curves.y;
    if (read.readStop) {
        state.ReadStop = *read.readStop;
    }
    return read;
}

}  // namespace

Status TakeChosenFile(AppState& state, const QString& chosenName) {
    if (chosenName.isEmpty()) {
        return Status::success();
    }
    const QChar separator = QDir::separator();
    const int pos = LastPos(chosenName, QStringView(&separator, 1));
    state.DataName = pos == 0 ? chosenName : chosenName.right(chosenName.size() - pos);
    if (state.DataName.isEmpty()) {
        return Status::failure(UnusableFileMessage(state));
    }
    state.DataPath = chosenName;
    return Status::success();
}

SectionRead ReadDataFile(AppState& state) {
    return keep(ReadSection(state.DataPath, readingFor(state)), state);
}

SectionRead ReadDataFileFrom(QIODevice& device, AppState& state) {
    return keep(vandrix::ReadDataFileFrom(device, readingFor(state)), state);
}

QString UnusableFileMessage(const AppState& state) {
    if (!state.FileErrorMessage.isEmpty()) {
        return state.FileErrorMessage;
    }
    return BuiltInUnusableMessage();
}

}  // namespace vandrix
