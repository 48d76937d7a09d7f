// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/PictureBox.h"

namespace vandrix::testing {

// Lays out, shows and sets up a picture area on its own as the window does with its own when
// it loads: 1000 x 400 pixels over the screen plot's frame on a white ground.
inline void setUpAsInTheWindow(PictureBox& picture) {
    picture.resize(1000, 400);
    picture.show();
    picture.setUpForScreenPlot();
}

}  // namespace vandrix::testing
