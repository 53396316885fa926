// The module itself: the only code of the program that uses Qt SVG and Qt Print Support.

#include "analysis/export_module.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgGenerator>

namespace {

void writeSvg(QIODevice& device, const analysis::SvgFigure& figure,
              const std::function<void(QPainter&)>& paint) {
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(figure.size);
    generator.setViewBox(figure.viewBox);
    generator.setResolution(figure.dpi);
    generator.setTitle(figure.title);
    generator.setDescription(figure.description);
    QPainter painter(&generator);
    paint(painter);
}

void printPreview(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QCoreApplication::translate("Export", "打印预览"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* target) { paint(*target); });
    preview.exec();
}

const analysis::ExportModule functions{writeSvg, printPreview};

} // namespace

extern "C" Q_DECL_EXPORT const analysis::ExportModule* lumetraExportModule() {
    return &functions;
}
