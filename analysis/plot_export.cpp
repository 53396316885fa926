#include "analysis/plot_export.h"

#include "analysis/export_module.h"
#include "analysis/plot_painter.h"
#include "io/files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace analysis {

std::optional<QByteArray> paintedPng(int width, int height, int dpi,
                                     const std::function<void(QPainter&)>& paint) {
    QImage image(width, height, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint(painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

const QRectF figureRect(0, 0, exportWidth, exportHeight);

std::optional<QByteArray> png(const PlotData& data) {
    return paintedPng(exportWidth, exportHeight, exportDpi,
                      [&data](QPainter& painter) { paintFigure(painter, figureRect, data); });
}

QByteArray svg(const ExportModule& module, const PlotData& data) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const SvgFigure figure{QSize(exportWidth, exportHeight), figureRect, exportDpi,
                           QCoreApplication::translate("Plot", "标准曲线"),
                           data.equation + u' ' + data.r2Text};
    module.writeSvg(buffer, figure, [&data](QPainter& painter) {
        painter.fillRect(figureRect, Qt::white);
        paintFigure(painter, figureRect, data);
    });
    return bytes;
}

// A text of the plot's files, translated where the error is shown.
calibration::Message plotMessage(const char* source) {
    return calibration::Message::in("Plot", source);
}

} // namespace

std::optional<io::Error> savePlotImage(const QString& path, const PlotData& data) {
    const auto refuse = [&path](calibration::Message reason) {
        return io::Error{path, {}, std::move(reason)};
    };
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg")) {
        return refuse(
            plotMessage(QT_TRANSLATE_NOOP("Plot", "不支持的文件类型（请使用 .png 或 .svg）")));
    }
    if (!hasCurve(data)) {
        return refuse(plotMessage(QT_TRANSLATE_NOOP("Plot", "尚未计算标准曲线")));
    }
    // Drawn into memory, then saved as every file is: whole or not at all, each write checked.
    if (suffix == QStringLiteral("svg")) {
        calibration::Message whyNot;
        const ExportModule* module = exportModule(&whyNot);
        if (module == nullptr) {
            return refuse(whyNot);
        }
        return io::saveFileAtomically(path, svg(*module, data));
    }
    const std::optional<QByteArray> bytes = png(data);
    if (!bytes) {
        return refuse(plotMessage(QT_TRANSLATE_NOOP("Plot", "无法生成PNG图像")));
    }
    return io::saveFileAtomically(path, *bytes);
}

} // namespace analysis
