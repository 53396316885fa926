#include "analysis/control_chart_export.h"

#include "analysis/export_module.h"
#include "analysis/plot_export.h"
#include "io/files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

namespace analysis {

namespace {

const QRectF imageRect(0, 0, chartImageWidth, chartImageHeight);

// A text of the chart's files, translated where the error is shown.
calibration::Message chartMessage(const char* source) {
    return calibration::Message::in("Plot", source);
}

std::optional<QByteArray> png(const ControlChartData& data) {
    return paintedPng(chartImageWidth, chartImageHeight, chartImageDpi,
                      [&data](QPainter& painter) { paintControlChart(painter, imageRect, data); });
}

QByteArray svg(const ExportModule& module, const ControlChartData& data) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const SvgFigure figure{QSize(chartImageWidth, chartImageHeight), imageRect, chartImageDpi,
                           data.title, data.subtitle};
    module.writeSvg(buffer, figure, [&data](QPainter& painter) {
        painter.fillRect(imageRect, Qt::white);
        paintControlChart(painter, imageRect, data);
    });
    return bytes;
}

// One A4 page across, the chart filling it inside the margins, in the window's face at 9 pt.
QByteArray pdf(const ControlChartData& data) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(data.title);
        writer.setCreator(QStringLiteral("Lumetra"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        QPainter painter(&writer);
        QFont font = QGuiApplication::font();
        font.setPointSizeF(9);
        painter.setFont(font);
        paintControlChart(painter, QRectF(0, 0, writer.width(), writer.height()), data);
    }
    return buffer.data();
}

} // namespace

std::optional<io::Error> saveControlChart(const QString& path, const ControlChartData& data) {
    const auto refuse = [&path](calibration::Message reason) {
        return io::Error{path, {}, std::move(reason)};
    };
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"png" && suffix != u"svg" && suffix != u"pdf") {
        return refuse(chartMessage(
            QT_TRANSLATE_NOOP("Plot", "不支持的文件类型（请使用 .png、.svg 或 .pdf）")));
    }
    if (!hasChart(data)) {
        return refuse(chartMessage(QT_TRANSLATE_NOOP("Plot", "没有可导出的质控图")));
    }
    if (suffix == u"svg") {
        calibration::Message whyNot;
        const ExportModule* module = exportModule(&whyNot);
        if (module == nullptr) {
            return refuse(whyNot);
        }
        return io::saveFileAtomically(path, svg(*module, data));
    }
    if (suffix == u"pdf") {
        return io::saveFileAtomically(path, pdf(data));
    }
    const std::optional<QByteArray> bytes = png(data);
    if (!bytes) {
        return refuse(chartMessage(QT_TRANSLATE_NOOP("Plot", "无法生成PNG图像")));
    }
    return io::saveFileAtomically(path, *bytes);
}

} // namespace analysis
