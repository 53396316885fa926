#pragma once

// The top-down way's inputs for a document, read from the quality-control database: each check
// standard's and reference material's chart of the document's method (or analyte) with the
// relative standard deviation of its limits in force (the reference period's, or those frozen
// from one), and every filed reference-material result with its certified value and U. The
// calibration layer computes the budget from them (calibration/budget.h).

#include "calibration/budget.h"

#include <memory>

namespace calibration {
struct Document;
struct Results;
} // namespace calibration

namespace records {

class Store;

// A chart with fewer points than its reference period needs is left out; a database that cannot
// be read gives inputs whose problem says so. Check standards are charted in the curve's unit:
// their levels are converted as a result is (results.batch.resultFactor) to be compared with
// results.
std::shared_ptr<const calibration::TopDownInputs>
readTopDownInputs(Store& store, const calibration::Document& document,
                  const calibration::Results& results);

} // namespace records
