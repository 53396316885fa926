#pragma once

// "质控图": the control charts of the quality-control database configured for this workstation
// (records/configured.h). A method (or an analyte filed without one) and one of its series are
// chosen, with the rules, the estimate of sigma and the reference period; the chart shows the
// limits in force (frozen ones when there are, unless unticked) and marks each point that
// completes a rule. "冻结控制限" stores the limits shown with who and when. The chart is saved as
// PNG, SVG or PDF. Faults of the database are told through ui::Prompts.

#include "analysis/control_chart_plot.h"
#include "records/chart.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace records {
class Store;
struct GroupSummary;
} // namespace records

namespace ui {
class Prompts;
}

namespace analysis {

// The chart itself, with a tooltip on each point (its batch, day and value, and the rules it
// completes).
class ControlChartWidget final : public QWidget {
    Q_OBJECT
public:
    explicit ControlChartWidget(QWidget* parent = nullptr);

    const ControlChartData& data() const { return data_; }
    void setData(ControlChartData data);
    // The geometry of the drawing at the widget's size.
    ControlChartGeometry geometry() const;
    // The point whose marker lies within a few pixels of `position`, or -1.
    int pointAt(const QPoint& position) const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ControlChartData data_;
};

class ControlChartWindow final : public QWidget {
    Q_OBJECT
public:
    ControlChartWindow(ui::Prompts& prompts, QWidget* owner);
    ~ControlChartWindow() override;

    // Opens the configured database again, fills the choices and shows the window.
    void open();
    // The database again (after the settings changed, or to see new filings).
    void reload();

    // The chart shown; nullopt when none can be drawn.
    const std::optional<records::SeriesChart>& chart() const { return chart_; }
    // "冻结控制限": asks, then stores the limits shown.
    void freezeLimits();
    // "导出PNG…" and the others: asks for a file name with that suffix and saves the chart.
    void exportChart(const QString& suffix);

private:
    void buildControls();
    void fillGroups();
    void fillSeries();
    void seedDates();
    void redraw();
    records::ChartRequest request() const;
    ControlChartData plotData() const;
    void showFault(const calibration::Message& message);

    ui::Prompts& prompts_;
    std::unique_ptr<records::Store> store_;
    std::vector<records::GroupSummary> groups_;
    std::optional<records::SeriesChart> chart_;
    bool filling_ = false;

    QLabel* database_ = nullptr;
    QComboBox* group_ = nullptr;
    QComboBox* series_ = nullptr;
    QComboBox* rules_ = nullptr;
    QComboBox* sigma_ = nullptr;
    QRadioButton* byCount_ = nullptr;
    QRadioButton* byDate_ = nullptr;
    QSpinBox* count_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QCheckBox* useFrozen_ = nullptr;
    QPushButton* freeze_ = nullptr;
    std::vector<QPushButton*> exports_;
    QLabel* limits_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* note_ = nullptr;
    ControlChartWidget* plot_ = nullptr;
};

// Shows the window of `owner` ("质控图…" in the analysis window's menu), made at the first call.
void openControlCharts(QWidget* owner, ui::Prompts& prompts);

} // namespace analysis
