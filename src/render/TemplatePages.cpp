// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TemplatePages.h"

#include "render/Paper.h"
#include "render/PlotPainter.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>

namespace vandrix {

namespace {

constexpr double OutlinePen = 0.2;
constexpr double ThinPen = 0.1;
constexpr double LabelSize = 3.0;
constexpr double FooterTextSize = 3.0;
constexpr double CrossArm = 4.0;
constexpr double CrossRing = 1.5;
constexpr auto PrintAtFullSize = "Print at 100 % (no fit to page)";

// Text `sizeMm` high at a point in millimetres, set at the device's own resolution so that
// glyphs are not scaled up from a tiny font. One face throughout: every face a PDF uses is
// embedded, and embedding is most of the time a template takes.
void drawText(QPainter& painter, const QString& family, QPointF at, const QString& text,
              double sizeMm, double angle = 0.0) {
    painter.save();
    const QTransform toDevice = painter.transform();
    painter.resetTransform();
    painter.translate(toDevice.map(at));
    painter.rotate(angle);
    QFont font(family.isEmpty() ? QStringLiteral("DejaVu Sans") : family);
    font.setPointSizeF(sizeMm / MillimetresPerInch * PointsPerInch);
    // No ligatures: text read back from the PDF must say "fit", not "ﬁt".
    font.setStyleStrategy(QFont::PreferNoShaping);
    painter.setFont(font);
    painter.drawText(QPointF(0.0, 0.0), text);
    painter.restore();
}

QPen pen(double width, const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, width, style, Qt::FlatCap, Qt::RoundJoin);
    p.setCosmetic(false);
    return p;
}

// A check bar of CheckBarLength millimetres with a tick each millimetre, longer ones each 5
// and 10; along x from `start` to the right, or along y from `start` upwards.
void drawCheckBar(QPainter& painter, const QString& family, QPointF start, bool alongX) {
    painter.setPen(pen(ThinPen, Qt::black));
    const QPointF along = alongX ? QPointF(1.0, 0.0) : QPointF(0.0, -1.0);
    const QPointF across = alongX ? QPointF(0.0, 1.0) : QPointF(-1.0, 0.0);
    painter.drawLine(start, start + along * CheckBarLength);
    for (int mm = 0; mm <= static_cast<int>(CheckBarLength); ++mm) {
        const double length = mm % 10 == 0 ? 4.0 : (mm % 5 == 0 ? 2.5 : 1.5);
        const QPointF at = start + along * mm;
        painter.drawLine(at, at + across * length);
    }
    const QString end = QStringLiteral("%1 mm").arg(CheckBarLength);
    if (alongX) {
        drawText(painter, family, start + QPointF(0.0, -1.0), QStringLiteral("0"), 2.5);
        drawText(painter, family, start + QPointF(CheckBarLength, -1.0), end, 2.5);
    } else {
        drawText(painter, family, start + QPointF(-5.0, 0.0), QStringLiteral("0"), 2.5, -90.0);
        drawText(painter, family, start + QPointF(-5.0, -CheckBarLength + 12.0), end, 2.5, -90.0);
    }
}

// "chord 600 mm", or "chords 80 to 200 mm" for several items.
QString ChordText(const std::vector<TemplateItem>& items, const TemplatePage& page) {
    double least = 0.0;
    double most = 0.0;
    for (std::size_t i = 0; i < page.placements.size(); ++i) {
        const double chord = items.at(page.placements[i].item).outline.chord;
        least = i == 0 ? chord : std::min(least, chord);
        most = i == 0 ? chord : std::max(most, chord);
    }
    if (MillimetreText(least) == MillimetreText(most)) {
        return QStringLiteral("chord %1 mm").arg(MillimetreText(least));
    }
    return QStringLiteral("chords %1 to %2 mm").arg(MillimetreText(least), MillimetreText(most));
}

}  // namespace

PlotMapping OutlineMapping(QPointF origin, const QTransform& pageToDevice) {
    return {QTransform(1.0, 0.0, 0.0, -1.0, origin.x(), origin.y()), pageToDevice};
}

void PaintTemplatePage(QPainter& painter, const TemplatePage& page,
                       const std::vector<TemplateItem>& items, const TemplateHeading& heading) {
    const QRectF area = DrawingArea(page.landscape);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(area);
    // The outlines are drawn in the page's millimetres, as the painter's own transform takes them.
    const QTransform pageToDevice = UserToDevicePixels(painter);
    for (const PagePlacement& placed : page.placements) {
        const TemplateItem& item = items.at(placed.item);
        const ItemBox box = BoxOf(item);
        {
            PlotPainter outline(painter, OutlineMapping(box.origin + placed.offset, pageToDevice));
            outline.setPen(pen(ThinPen, Qt::blue, Qt::DashLine));
            outline.line({0.0, 0.0, item.outline.chord, 0.0});
            outline.setPen(pen(OutlinePen, Qt::black));
            for (const OutlineRing& ring : item.outline.rings) {
                outline.polygon(ring);
            }
        }
        // Only the tile that holds the label's start writes it, so it is read once.
        const QPointF label = box.label + placed.offset;
        if (area.contains(label)) {
            painter.setPen(Qt::black);
            drawText(painter, heading.fontName, label, item.label, LabelSize);
        }
    }
    painter.setPen(pen(ThinPen, Qt::black));
    for (const QPointF& c : page.crosses) {
        painter.drawLine(c - QPointF(CrossArm, 0.0), c + QPointF(CrossArm, 0.0));
        painter.drawLine(c - QPointF(0.0, CrossArm), c + QPointF(0.0, CrossArm));
        painter.drawEllipse(c, CrossRing, CrossRing);
    }
    painter.setClipping(false);

    drawCheckBar(painter, heading.fontName, QPointF(area.left(), area.bottom() + 6.0), true);
    drawCheckBar(painter, heading.fontName, QPointF(area.left() - 4.0, area.bottom()), false);
    QString line = heading.name + QStringLiteral(", ") + ChordText(items, page);
    if (page.rows > 0) {
        const QString tile = QStringLiteral("%1/%2").arg(page.row).arg(page.column);
        line += QStringLiteral(", row/column %1 (%2 x %3 pages)")
                    .arg(tile)
                    .arg(page.rows)
                    .arg(page.columns);
        drawText(painter, heading.fontName, QPointF(area.right() - 30.0, area.bottom() + 10.0),
                 tile, 6.0);
    }
    painter.setPen(Qt::black);
    drawText(painter, heading.fontName, QPointF(area.left(), area.bottom() + 15.0), line,
             FooterTextSize);
    drawText(painter, heading.fontName, QPointF(area.left(), area.bottom() + 21.0),
             QLatin1String(PrintAtFullSize), FooterTextSize);
    painter.restore();
}

Result<QByteArray> TemplatePdf(const std::vector<TemplateItem>& items,
                               const TemplateHeading& heading) {
    std::vector<QSizeF> sizes;
    sizes.reserve(items.size());
    for (const TemplateItem& item : items) {
        sizes.push_back(BoxOf(item).size);
    }
    const std::vector<TemplatePage> pages = LayOutPages(sizes);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setTitle(heading.name);
        writer.setCreator(QStringLiteral("Vandrix"));
        const auto layout = [](bool landscape) {
            return QPageLayout(QPageSize(QPageSize::A4),
                               landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                               QMarginsF(0, 0, 0, 0));
        };
        const bool landscape = !pages.empty() && pages.front().landscape;
        writer.setPageLayout(layout(landscape));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return Result<QByteArray>::failure(QStringLiteral("cannot start the PDF"));
        }
        const QTransform pageToDevice = MillimetresToDevice(writer.resolution());
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layout(pages[i].landscape));
                writer.newPage();
            }
            painter.resetTransform();
            painter.setWorldTransform(pageToDevice);
            PaintTemplatePage(painter, pages[i], items, heading);
        }
        painter.end();
    }
    return Result<QByteArray>::success(std::move(bytes));
}

}  // namespace vandrix
