#pragma once

// The analysis window's CSV export: one table in three blocks, each with a header line, an empty
// line between the blocks, with the keys of the copied report so that a script reads both alike.
//
//   statistic,value
//   unit,mg/L
//   n,7
//   a,1.5178571428571406              (then b, s_a, s_b, ci95_a, ci95_b, r, r2, s_yx, lod, loq)
//
//   C,A,A_fit,residual,deviation_pct,C_back,recovery_pct
//   0,2.1,1.5178571428571406,0.5821428571428591,38.35294117647077,0.30157261794634715,
//
//   name,readings,m,mean_A,dilution,x0,s_x0,ci95_x0,flags,main_result
//   样品 1,13.5,1,13.5,1,6.207215541165588,0.2397542227029909,0.6163078498974122,,6.20742889706263
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
