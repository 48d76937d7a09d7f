#pragma once

#include <QtGlobal>

#include "render/PagedPrintSurface.h"

#include <memory>

class QPrinter;

namespace vandrix {

// The print operations on a QPrinter at the printer's own resolution: the system's default
// printer, or a PDF file.
class QtPrintSurface : public PagedPrintSurface {
public:
    // The default printer, or nothing (with the reason in `error`) when there is none.
    static std::unique_ptr<QtPrintSurface> forDefaultPrinter(const QString& jobName,
                                                             QString& error);
    static std::unique_ptr<QtPrintSurface> forPdfFile(const QString& path);

    Q_DISABLE_COPY_MOVE(QtPrintSurface)
    ~QtPrintSurface() override;

protected:
    QString cannotBeginMessage() const override;
    QString finish() override;

private:
    explicit QtPrintSurface(std::unique_ptr<QPrinter> printer);

    std::unique_ptr<QPrinter> printer_;
};

}  // namespace vandrix
