// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCommand.h"

#include <QByteArray>
#include <QtGlobal>

int main(int argc, char** argv) {
    // The command needs no display; a platform the user chose is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    return vandrix::RunExportCommand(argc, argv);
}
