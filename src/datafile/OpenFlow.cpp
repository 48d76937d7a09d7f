#include "OpenFlow.h"

#include "HeaderLine.h"

#include <QDir>

namespace vandrix {

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

}  // namespace vandrix
