#pragma once

#include "calc/statistics.h"

#include <QTableWidget>
#include <optional>

namespace analysis {

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
