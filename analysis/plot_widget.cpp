#include "analysis/plot_widget.h"

#include "analysis/plot_painter.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// Sizes in lines of the widget's text, so the plots grow with the font and stay legible at 9 pt.
QSize linesToSize(const QWidget& w, double across, double down) {
    const double line = QFontMetricsF(w.font()).height();
    return {int(std::ceil(across * line)), int(std::ceil(down * line))};
}

QString description(PlotWidget::Mode mode, const PlotData& d) {
    if (!hasCurve(d)) {
        return PlotWidget::tr("尚未计算标准曲线");
    }
    const std::size_t n = std::min(d.concentrations.size(), d.absorbances.size());
    const auto excluded =
        std::count(d.excluded.begin(),
                   d.excluded.begin() + std::ptrdiff_t(std::min(n, d.excluded.size())), true);
    const bool calibration = mode == PlotWidget::Mode::Calibration;
    QString text =
        excluded == 0
            ? (calibration ? PlotWidget::tr("标准曲线图：%n个标准点", nullptr, int(n))
                           : PlotWidget::tr("残差图：%n个标准点的残差", nullptr, int(n)))
            : (calibration ? PlotWidget::tr("标准曲线图：%n个标准点，排除%1个", nullptr, int(n))
                           : PlotWidget::tr("残差图：%n个标准点的残差，排除%1个", nullptr, int(n)))
                  .arg(excluded);
    for (const QString& part : {d.equation, d.r2Text}) {
        if (!part.isEmpty()) {
            text = PlotWidget::tr("%1，%2", "a list of the plot's figures").arg(text, part);
        }
    }
    return text;
}

} // namespace

PlotWidget::PlotWidget(Mode mode, QWidget* parent) : QWidget(parent), mode_(mode) {
    setAccessibleName(mode == Mode::Calibration ? tr("标准曲线图") : tr("残差图"));
    setAccessibleDescription(description(mode_, data_));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlotWidget::setData(const PlotData& data) {
    data_ = data;
    setAccessibleDescription(description(mode_, data_));
    update();
}

QSize PlotWidget::minimumSizeHint() const {
    return mode_ == Mode::Calibration ? linesToSize(*this, 22, 14) : linesToSize(*this, 22, 8);
}

QSize PlotWidget::sizeHint() const {
    return mode_ == Mode::Calibration ? linesToSize(*this, 30, 16) : linesToSize(*this, 30, 9);
}

int PlotWidget::standardAt(const QPoint& position) const {
    if (!hasCurve(data_)) {
        return -1;
    }
    // The painting's mapping, from a painter on an image of the widget's size and resolution.
    QImage probe(size(), QImage::Format_ARGB32);
    probe.setDotsPerMeterX(int(std::lround(logicalDpiX() / 0.0254)));
    probe.setDotsPerMeterY(int(std::lround(logicalDpiY() / 0.0254)));
    QPainter measuring(&probe);
    measuring.setFont(font());
    const PlotMapping mapping = mode_ == Mode::Calibration
                                    ? calibrationMapping(measuring, rect(), data_)
                                    : residualMapping(measuring, rect(), data_);
    const double reach = QFontMetricsF(font()).height() * 0.6;
    int nearest = -1;
    double best = reach * reach;
    const std::size_t n = std::min(data_.concentrations.size(), data_.absorbances.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double y = mode_ == Mode::Calibration
                             ? data_.absorbances[i]
                             : (i < data_.residuals.size() ? data_.residuals[i] : std::nan(""));
        if (!std::isfinite(y)) {
            continue;
        }
        const QPointF at = mapping.toPixel(data_.concentrations[i], y) - QPointF(position);
        const double distance = at.x() * at.x() + at.y() * at.y();
        if (distance <= best) {
            best = distance;
            nearest = int(i);
        }
    }
    return nearest;
}

void PlotWidget::contextMenuEvent(QContextMenuEvent* event) {
    const int standard = standardAt(event->pos());
    if (standard < 0) {
        QWidget::contextMenuEvent(event);
        return;
    }
    emit standardMenuRequested(standard, event->globalPos());
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // White like the saved image and the printed page, whatever the window's palette.
    painter.fillRect(rect(), Qt::white);
    if (mode_ == Mode::Calibration) {
        paintCalibration(painter, rect(), data_);
    } else {
        paintResiduals(painter, rect(), data_);
    }
}

} // namespace analysis
