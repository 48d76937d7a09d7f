// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

class QImage;
class QIODevice;

namespace vandrix {

// Writes an RGB32 image with at most four colours, as every plot has, as a 2-bit palette PNG
// (zlib level 1): a quarter of the 8-bit indices to compress, the same pixels. An image with
// more colours is refused before anything is written.
Status WritePalettePng(QIODevice& device, const QImage& image);

}  // namespace vandrix
