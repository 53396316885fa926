#pragma once

#include "calc/statistics.h"

#include <QTableWidget>
#include <span>

namespace analysis {

// Each standard with its fitted absorbance, residual, relative deviation, back-calculated
// concentration and recovery: the acceptance check applied to every standard.
class PointsTable final : public QTableWidget {
    Q_OBJECT
public:
    explicit PointsTable(QWidget* parent);
    void setPoints(std::span<const calc::PointCheck> points);
};

} // namespace analysis
