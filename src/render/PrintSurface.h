#pragma once

#include <QString>

#include <cstdint>

namespace vandrix {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb RgbBlack = 0x000000;
inline constexpr Rgb RgbBlue = 0x0000FF;

// The printer operations the sheet is drawn with. Positions are in the unit last chosen;
// a text's position is its top-left corner; pen widths are in device pixels.
class PrintSurface {
public:
    PrintSurface() = default;
    Q_DISABLE_COPY_MOVE(PrintSurface)
    virtual ~PrintSurface() = default;

    virtual void setScaleModeMillimetres() = 0;
    virtual void setPaperA4() = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setForeColor(Rgb color) = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    virtual void print(const QString& text) = 0;
    virtual void setDrawWidth(int pixels) = 0;
    virtual void line(float x1, float y1, float x2, float y2, Rgb color) = 0;
    // Ends the document and hands it to the printer. Empty, or why the job failed.
    virtual QString endDoc() = 0;
};

}  // namespace vandrix
