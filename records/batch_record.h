#pragma once

// A calibration document and its results as the quality-control database files them: the header,
// the method, the units, the curve and every QC row with the value its control chart follows and
// each rule's verdict.

#include "calibration/document.h"
#include "calibration/results.h"
#include "records/record.h"

#include <cstddef>
#include <string>
#include <vector>

namespace records {

// A QC row with the index of its row in the document's sample list.
struct BatchRow {
    std::size_t sample = 0;
    QcRow row;
};

// Every row of type check, reference, spike, duplicate or blank, in the list's order (a row whose
// type cannot be read, a sample and a 检出限样 are no QC rows), each with its charted value:
//   check      x0 times the dilution, in the curve's unit (the document's unit);
//   reference  the result in the reporting unit;
//   spike      the recovery, % (the figure of its rule "spike");
//   duplicate  the relative deviation, % (the figure of its rule "duplicate");
//   blank      the mean absorbance as measured, before any correction (unit "").
// A value that cannot be given is none; the row is filed all the same. The verdicts are the row's
// rules as judged, a rule not judged without a verdict of pass or fail; control_chart's text is
// the rules' keys, "t1 t5".
std::vector<BatchRow> qcRows(const calibration::Document& document,
                             const calibration::Results& results);

// The record of a batch. `identity` is io::batchIdentity's, `fileName` the document's file; the
// filing time and user are left to the database (now, this process's user). The curve: the
// model's and weighting's keys, the fitted standards, a (none through the origin), b, c (only of
// the second order), r, s(y/x), the reported limit in the curve's unit and its kind ("lod",
// "xd", "mdl"); without a curve only the keys, n = 0.
BatchRecord batchRecord(const calibration::Document& document, const calibration::Results& results,
                        std::string identity, std::string fileName);

} // namespace records
