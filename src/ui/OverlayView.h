// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/Overlay.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace vandrix {

// The library window's plot: the overlay of up to eight sections (Overlay.h) at a screen scale,
// the widget as large as the picture, so that a scroll area shows what a larger one holds.
// Without sections it shows the grid alone. The picture is kept in an image of device pixels.
class OverlayView : public QWidget {
    Q_OBJECT

public:
    explicit OverlayView(QWidget* parent = nullptr);

    void setSections(std::vector<OverlaySection> sections, std::int16_t scale);
    const std::vector<OverlaySection>& sections() const { return sections_; }
    std::int16_t scale() const { return scale_; }

    // Paints the picture as the widget shows it, `ratio` device pixels to a pixel.
    void paint(QPainter& painter, double ratio) const;
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void redraw();

    std::vector<OverlaySection> sections_;
    std::int16_t scale_ = 0;
    QImage image_;
};

}  // namespace vandrix
