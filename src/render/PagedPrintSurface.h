#pragma once

#include "PrintSurface.h"

#include <QColor>
#include <QFont>
#include <QPainter>

#include <memory>

class QIODevice;
class QPagedPaintDevice;
class QPdfWriter;

namespace vandrix {

// The print operations on a paged paint device at the device's own resolution. Positions are
// measured from the top-left corner of the printable area, which has the smallest margins the
// device allows; text and pens are drawn unscaled.
class PagedPrintSurface : public PrintSurface {
public:
    ~PagedPrintSurface() override;

    void setScaleModeMillimetres() override;
    void setPaperA4() override;
    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setForeColor(Rgb color) override;
    void setCurrentX(float x) override { currentX_ = x; }
    void setCurrentY(float y) override { currentY_ = y; }
    void print(const QString& text) override;
    void setDrawWidth(int pixels) override { drawWidth_ = pixels; }
    void line(float x1, float y1, float x2, float y2, Rgb color) override;
    QString endDoc() override;

protected:
    explicit PagedPrintSurface(QPagedPaintDevice& device);
    // What to report when the device takes no painter.
    virtual QString cannotBeginMessage() const = 0;
    // Ends the painter, which finishes the document. Empty, or why it failed.
    virtual QString finish();
    QString endPainter();
    // Derived classes that own the device end the painter before it goes.
    void endPainterIfActive();

private:
    bool begin();
    void useSmallestMargins();
    QPointF toDevice(double x, double y) const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    bool begun_ = false;
    QString error_;
    double devicePerUnit_ = 0.0;
    QFont font_;
    QColor textColor_ = Qt::black;
    double currentX_ = 0.0;
    double currentY_ = 0.0;
    int drawWidth_ = 1;
};

// The sheet as a PDF document written to an open device; `name` names it in messages.
class PdfPrintSurface : public PagedPrintSurface {
public:
    PdfPrintSurface(QIODevice& output, QString name);
    Q_DISABLE_COPY_MOVE(PdfPrintSurface)
    ~PdfPrintSurface() override;

protected:
    QString cannotBeginMessage() const override;

private:
    PdfPrintSurface(std::unique_ptr<QPdfWriter> writer, QString name);

    std::unique_ptr<QPdfWriter> writer_;
    QString name_;
};

}  // namespace vandrix
