#pragma once

// The analysis window's CSV export: one table in three blocks, each with a header line, an empty
// line between the blocks, with the keys of the copied report so that a script reads both alike.
//
//   statistic,value
//   n,7
//   unit,mg/L
//   model,line                        (then every field of the report's calibration block)
//
//   validation,value
//   mandel.pw,0.0770                  (then every field of the report's validation block)
//
//   C,A,excluded,reason,A_fit,residual,deviation_pct,C_back,recovery_pct
//   0,2.1,false,,2.1321428571428573,-0.0321...
//
//   name,readings,m,mean_A,dilution,x0,s_x0,ci95_x0,ci_x0,flags,error,main_result
//   样品 1,13.5,1,13.5,1,6.207215541165588,0.2397542227029909,0.6163078498974122,...
//
// Numbers in full precision; a figure that does not exist or is not finite is an empty cell. The
// samples block is there only when the list has rows; it holds every row in list order, a row
// whose readings or dilution are not numbers with its texts and the reason in `error`.

#include "calibration/document.h"
#include "calibration/results.h"
#include "io/csv.h"

#include <QList>

namespace analysis {

QList<io::CsvRow> exportTable(const calibration::Document& document,
                              const calibration::Results& results);

} // namespace analysis
