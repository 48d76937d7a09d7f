// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenFlow.h"

#include "formats/HeaderLine.h"

#include <QDir>

namespace vandrix {

namespace {

DataFileReading readingFor(const AppState& state) {
    return {state.Language, UnusableFileMessage(state), {state.PointX, state.PointY}};
}

DataFileOutcome keep(DataFileOutcome outcome, AppState& state) {
    state.PointX = outcome.curves.x;
    state.PointY = outcome.curves.y;
    if (outcome.readStop) {
        state.ReadStop = *outcome.readStop;
    }
    return outcome;
}

}  // namespace

bool TakeChosenFile(AppState& state, const QString& chosenName) {
    if (chosenName.isEmpty()) {
        return true;
    }
    const QChar separator = QDir::separator();
    const int pos = LastPos(chosenName, QStringView(&separator, 1));
    state.DataName = pos == 0 ? chosenName : chosenName.right(chosenName.size() - pos);
    if (state.DataName.isEmpty()) {
        return false;
    }
    state.DataPath = chosenName;
    return true;
}

DataFileOutcome ReadDataFile(AppState& state) {
    return keep(ReadDataFileAt(state.DataPath, readingFor(state)), state);
}

DataFileOutcome ReadDataFileFrom(QIODevice& device, AppState& state) {
    return keep(vandrix::ReadDataFileFrom(device, readingFor(state)), state);
}

QString UnusableFileMessage(const AppState& state) {
    if (!state.FileErrorMessage.isEmpty()) {
        return state.FileErrorMessage;
    }
    return BuiltInUnusableMessage();
}

}  // namespace vandrix
