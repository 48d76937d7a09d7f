#pragma once

#include <QString>

#include <optional>

class QImage;
class QIODevice;

namespace vandrix {

// Writes an RGB32 image with at most four colours as a 2-bit palette PNG (zlib level 1):
// a quarter of the 8-bit indices to compress, the same pixels. Nothing when the image has more
// colours (nothing is written then); otherwise empty, or why writing failed.
std::optional<QString> WritePalettePng(QIODevice& device, const QImage& image);

}  // namespace vandrix
