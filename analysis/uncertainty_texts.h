#pragma once

// The measurement uncertainty as the sample list and the printed record write it.

#include <QString>

namespace calibration {
struct Document;
struct Results;
struct SampleResult;
} // namespace calibration

namespace analysis {

struct ReportContent;

// A fraction as a percentage with three significant digits: 0.068589 -> "6.86%".
QString sharePercent(double fraction);

// The printed report with the uncertainty, when a way is chosen: the column U beside the result,
// the way in the batch's lines, and the budget of one typical sample (of the plain samples with
// an uncertainty, the one whose result is the median).
void addUncertaintyToReport(ReportContent& content, const calibration::Document& document,
                            const calibration::Results& results);

// The sample table's cell: U as written, "—" when there is none (the reason in the tooltip),
// nothing when no way is chosen.
QString expandedCell(const calibration::SampleResult& result);
QString expandedReason(const calibration::SampleResult& result);
// "U (k=2)", "U (k=t)".
QString expandedHeader(const calibration::Document& document);

} // namespace analysis
