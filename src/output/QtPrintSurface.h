#pragma once

#include "PrintSurface.h"

#include <QColor>
#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;

namespace vandrix {

// The print operations on a QPrinter at the printer's own resolution: the system's default
// printer, or a PDF file. Positions are measured from the top-left corner of the printable
// area, which has the smallest margins the printer allows; text and pens are drawn unscaled.
class QtPrintSurface : public PrintSurface {
public:
    // The default printer, or nothing (with the reason in `error`) when there is none.
    static std::unique_ptr<QtPrintSurface> forDefaultPrinter(const QString& jobName,
                                                             QString& error);
    static std::unique_ptr<QtPrintSurface> forPdfFile(const QString& path);

    QtPrintSurface(const QtPrintSurface&) = delete;
    QtPrintSurface& operator=(const QtPrintSurface&) = delete;
    QtPrintSurface(QtPrintSurface&&) = delete;
    QtPrintSurface& operator=(QtPrintSurface&&) = delete;
    ~QtPrintSurface() override;

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

private:
    explicit QtPrintSurface(std::unique_ptr<QPrinter> printer);
    bool begin();
    void useSmallestMargins();
    QPointF toDevice(double x, double y) const;

    std::unique_ptr<QPrinter> printer_;
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

}  // namespace vandrix
