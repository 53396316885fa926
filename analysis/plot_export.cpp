#include "analysis/plot_export.h"

#include "analysis/export_module.h"
#include "analysis/plot_painter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <cmath>

namespace analysis {

namespace {

const QRectF figureRect(0, 0, exportWidth, exportHeight);

// Qt's reason, unless it is only the generic "Unknown error" (a commit that fails to put the
// finished file in place says no more than that).
QString reasonOf(const QSaveFile& file) {
    const QString reason = file.errorString();
    if (reason.isEmpty() || reason == QFile().errorString()) {
        return QStringLiteral("无法写入文件");
    }
    return reason;
}

std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return reasonOf(file);
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return reasonOf(file);
    }
    return std::nullopt;
}

std::optional<QByteArray> png(const PlotData& data) {
    QImage image(exportWidth, exportHeight, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(exportDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintFigure(painter, figureRect, data);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return bytes;
}

QByteArray svg(const ExportModule& module, const PlotData& data) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const SvgFigure figure{QSize(exportWidth, exportHeight), figureRect, exportDpi,
                           QStringLiteral("标准曲线"), data.equation + u' ' + data.r2Text};
    module.writeSvg(buffer, figure, [&data](QPainter& painter) {
        painter.fillRect(figureRect, Qt::white);
        paintFigure(painter, figureRect, data);
    });
    return bytes;
}

} // namespace

std::optional<QString> savePlotImage(const QString& path, const PlotData& data) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg")) {
        return QStringLiteral("不支持的文件类型（请使用 .png 或 .svg）");
    }
    if (!hasCurve(data)) {
        return QStringLiteral("尚未计算标准曲线");
    }
    if (suffix == QStringLiteral("svg")) {
        QString whyNot;
        const ExportModule* module = exportModule(&whyNot);
        if (module == nullptr) {
            return whyNot;
        }
        return writeWhole(path, svg(*module, data));
    }
    const std::optional<QByteArray> bytes = png(data);
    if (!bytes) {
        return QStringLiteral("无法生成PNG图像");
    }
    return writeWhole(path, *bytes);
}

} // namespace analysis
