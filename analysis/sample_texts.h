#pragma once

// A sample row's texts as the sample list and the printed record show them.

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/results.h"
#endif

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

// A row's mean absorbance with at least the decimals its readings were typed with, so that the
// mean of "0.0525 0.0535" reads "0.0530", not "0.053"; "—" when there is none.
QString meanAbsorbanceText(const std::string& readings, const std::optional<double>& mean);

// "超出线性范围、低于检出限": the flags in words, in the interface's language.
QString flagsText(const calibration::SampleFlags& flags);

// A row's rules as its quality cell shows them, one verdict a rule with its figure's unit:
// "通过 1.17%", "未通过 52.2%；通过 0.012 μg", "未判定" (a blank's concentration in the curve's
// unit, a reference material's difference in the reporting unit, an absorbance as it is); and
// each with its words, a line a rule: "未判定：缺少加标量".
QString qcCellText(const std::vector<calibration::QualityCheck>& checks, const QString& curveUnit,
                   const QString& resultUnit);
QString qcDetails(const std::vector<calibration::QualityCheck>& checks);

} // namespace analysis
