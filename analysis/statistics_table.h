#pragma once

#include "calc/statistics.h"

#include <QTableWidget>
#include <optional>
#include <vector>

namespace analysis {

// One statistic as the window and the report show it: its label, its value (LOD and LOQ with the
// unit) and, for a and b, the 95 % half-width; "—" with the reason where a figure does not exist.
struct StatisticText {
    QString label;
    QString value;
    QString valueTooltip;
    QString halfWidth; // "" for the statistics without one
    QString halfWidthTooltip;
};

// The rows of the statistics, in their order; without a line the values are empty.
std::vector<StatisticText> statisticTexts(const std::optional<calc::LineStatistics>& stats,
                                          const QString& unit);

// The statistics a laboratory reports, one per row: label, value and 95 % half-width, selectable
// for copying. Figures that need n − 2 > 0 degrees of freedom show "—" with a tooltip why.
class StatisticsTable final : public QTableWidget {
    Q_OBJECT
public:
    explicit StatisticsTable(QWidget* parent);
    void setStatistics(const std::optional<calc::LineStatistics>& stats, const QString& unit);

protected:
    QSize viewportSizeHint() const override;

private:
    int contentWidth_ = 0; // the columns at their contents' width
};

} // namespace analysis
