#pragma once

// A widget showing the calibration plot or the residual plot of one PlotData.

#include "analysis/plot_data.h"

#include <QWidget>

namespace analysis {

class PlotWidget : public QWidget {
    Q_OBJECT

public:
    enum class Mode { Calibration, Residuals };

    explicit PlotWidget(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    const PlotData& data() const { return data_; }
    // Repaints, and describes what the plot now shows to screen readers: the number of
    // standards and of those excluded, the equation and R².
    void setData(const PlotData& data);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // The standard whose marker lies within a few pixels of `position`, or -1.
    int standardAt(const QPoint& position) const;

signals:
    // The context menu asked for on the marker of a standard.
    void standardMenuRequested(int standard, const QPoint& globalPosition);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

    void paintEvent(QPaintEvent* event) override;

private:
    Mode mode_;
    PlotData data_;
};

} // namespace analysis
