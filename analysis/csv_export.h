#pragma once

// The analysis window's CSV export: one table in three blocks, each with a header line, an empty
// line between the blocks, with the keys of the copied report so that a script reads both alike.
//
//   statistic,value
//   unit,mg/L
//   n,7
//   a,1.5178571428571428          (then b, s_a, s_b, ci95_a, ci95_b, r, r2, s_yx, lod, loq)
//
//   C,A,A_fit,residual,deviation_pct,C_back,recovery_pct
//   0,2.1,1.5178571428571428,0.5821428571428573,38.35...,0.30...,
//
//   name,readings,m,mean_A,dilution,x0,s_x0,ci95_x0,flags,main_result
//   样品 1,13.4 13.6,2,13.5,1,6.20...,0.24...,0.61...,,6.2073
//
// Numbers in full precision; a statistic that does not exist (n = 2) or a value that is not
// finite is an empty cell. The samples block is there only when the list has rows; it holds every
// row in list order, a row whose readings or dilution are not numbers with its texts and empty
// results. Flags are out_of_range, below_lod, below_loq joined by ",".

#include "analysis/sample_list.h"
#include "calc/statistics.h"
#include "io/csv.h"

#include <QList>
#include <QString>
#include <span>
#include <vector>

namespace analysis {

QList<io::CsvRow> exportTable(std::span<const double> x, std::span<const double> y,
                              const calc::LineStatistics& line, const QString& unit,
                              const std::vector<SampleEntry>& samples);

} // namespace analysis
