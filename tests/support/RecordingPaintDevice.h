// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QTransform>

#include <memory>

namespace vandrix::testing {

// What was painted, in millimetres of the page: a text by its top-left corner, or a line (also
// in the device's own units).
struct PaintedOp {
    enum class Kind { Text, Line };
    Kind kind = Kind::Line;
    QString text;
    QString family;
    double points = 0.0;
    QColor color;
    int width = 0;
    QLineF line;      // a line's ends
    QLineF device;    // a line's ends in device units
    QPointF topLeft;  // a text's corner
};

// A paint device of a page at 1200 dpi that records what is painted on it, where the painter's
// transform puts it, instead of rendering it.
class RecordingPaintDevice : public QPaintDevice {
public:
    static constexpr int Dpi = 1200;
    static constexpr double UnitsPerMillimetre = Dpi / 25.4;

    RecordingPaintDevice() : engine_(std::make_unique<Engine>(*this)) {}

    QList<PaintedOp> ops;

    QPaintEngine* paintEngine() const override { return engine_.get(); }

protected:
    int metric(PaintDeviceMetric metric) const override {
        constexpr int WidthMm = 210;
        constexpr int HeightMm = 297;
        switch (metric) {
            case PdmWidth:
                return int(WidthMm * UnitsPerMillimetre);
            case PdmHeight:
                return int(HeightMm * UnitsPerMillimetre);
            case PdmWidthMM:
                return WidthMm;
            case PdmHeightMM:
                return HeightMm;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return Dpi;
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return INT_MAX;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(RecordingPaintDevice& device)
            : QPaintEngine(AllFeatures), device_(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyPen) {
                pen_ = state.pen();
            }
            if (state.state() & DirtyTransform) {
                transform_ = state.transform();
            }
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        // Fills, such as a plot's white ground, are not recorded.
        void drawPath(const QPainterPath&) override {}
        void drawLines(const QLineF* lines, int count) override {
            for (int i = 0; i < count; ++i) {
                PaintedOp op;
                op.kind = PaintedOp::Kind::Line;
                op.color = pen_.color();
                op.width = pen_.width();
                op.device = transform_.map(lines[i]);
                op.line = QLineF(op.device.p1() / UnitsPerMillimetre,
                                 op.device.p2() / UnitsPerMillimetre);
                device_.ops << op;
            }
        }
        // A polygon's outline, as the lines of its sides.
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
            for (int i = 0; i < count; ++i) {
                const QLineF side(points[i], points[(i + 1) % count]);
                drawLines(&side, 1);
            }
        }
        void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
            PaintedOp op;
            op.kind = PaintedOp::Kind::Text;
            op.text = item.text();
            op.family = item.font().family();
            op.points = item.font().pointSizeF();
            op.color = pen_.color();
            const double ascent = QFontMetricsF(item.font(), &device_).ascent();
            const QPointF at = transform_.map(baseline);
            op.topLeft = QPointF(at.x(), at.y() - ascent) / UnitsPerMillimetre;
            device_.ops << op;
        }
        Type type() const override { return User; }

    private:
        RecordingPaintDevice& device_;
        QPen pen_;
        QTransform transform_;
    };

    std::unique_ptr<Engine> engine_;
};

}  // namespace vandrix::testing
