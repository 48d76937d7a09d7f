// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Section.h"

#include <QString>

#include <cstdint>

namespace vandrix {

// The one record of the run's state, shared by every procedure that needs it.
struct AppState {
    std::int16_t Language = 0;
    QString InitDir;
    std::int16_t ScreenScale = 0;
    double PrinterScale = 0.0;
    QString DataPath;
    QString DataName;
    QString LangFontName;
    QString FileErrorMessage;
    std::int16_t ReadStop = 0;
    PointArray PointX;
    PointArray PointY;
};

}  // namespace vandrix
