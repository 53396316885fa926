// What a batch files: the record made from a document and its results (the charted value of each
// QC row against its definition, computed here from the readings), and a new batch judged against
// frozen control charts (one table of series that just fire and just do not).

#include "calibration/keys.h"
#include "calibration/results.h"
#include "records/batch_record.h"
#include "records/judging.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using calibration::Sample;

calibration::Sample row(const char* name, const char* readings, const char* type = "",
                        const char* of = "") {
    Sample s;
    s.name = name;
    s.readings = readings;
    s.type = type;
    s.of = of;
    return s;
}

// Standards on A = 0.002 + 0.2 C exactly; with the blank correction the zero standard's 0.002
// comes off the standards and the check standard, the blanks' mean reading off the samples.
calibration::Document batch() {
    calibration::Document d;
    d.unit = "μg/mL";
    for (const char* c : {"0", "1", "2", "3", "4"}) {
        const double a = 0.002 + 0.2 * std::stod(c);
        d.standards.push_back({c, std::to_string(a), false, ""});
    }
    d.settings.blankCorrection = true;
    d.settings.volume = "50";
    d.settings.factor = "1000";
    d.settings.resultUnit = "mg/L";
    d.header.project = "2026-118";
    d.header.analyte = "亚硝酸盐氮";
    d.header.analysisDate = "2026-12-07";
    d.method = {"GB 7493", "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08", {}};
    d.samples = {row("S1", "0.302"),
                 row("S1 平行", "0.306", "duplicate", "S1"),
                 row("S1 加标", "0.496", "spike", "S1"),
                 row("K", "0.410", "check"),
                 row("RM", "0.302", "reference"),
                 row("B1", "0.003 0.005", "blank"),
                 row("L1", "0.01", "mdl"),
                 row("P 加标", "0.5", "加标样", "没有这个样品")};
    d.samples[2].added = "1";
    d.samples[3].nominal = "4.0";
    d.samples[3].dilution = "2";
    d.samples[4].certified = "30";
    d.samples[4].u = "5";
    d.samples[7].added = "1";
    return d;
}

void expectRelative(const std::optional<double>& actual, long double expected) {
    ASSERT_TRUE(actual.has_value());
    EXPECT_NEAR(*actual, double(expected), 1e-12 * std::fabs(double(expected)) + 1e-15);
}

TEST(BatchRecord, ChartedValues) {
    const calibration::Document d = batch();
    const calibration::Results results = calibration::evaluate(d);
    const records::BatchRecord record =
        records::batchRecord(d, results, std::string(64, 'a'), "/lab/2026-118.lumetra");

    // The blanks' mean reading, and x0 = (A - blank) / 0.2 (times the dilution).
    const long double blank = (0.003L + 0.005L) / 2;
    const long double s1 = (0.302L - blank) / 0.2L, duplicate = (0.306L - blank) / 0.2L;
    const long double spiked = (0.496L - blank) / 0.2L;
    struct Case {
        const char* name;
        const char* type;
        long double value;
        const char* unit;
        const char* rule; // the row's own rule, judged
    };
    const Case cases[] = {
        {"S1 平行", "duplicate", (duplicate - s1) / (duplicate + s1) * 100, "%", "duplicate"},
        {"S1 加标", "spike", (spiked - s1) / 1 * 100, "%", "spike"},
        // A check standard is measured as a standard: the zero standard's reading comes off.
        {"K", "check", (0.410L - 0.002L) / 0.2L * 2, "μg/mL", "check"},
        {"RM", "reference", s1 * 1000 / 50, "mg/L", "reference"},
        {"B1", "blank", blank, "", "blank"},
    };
    ASSERT_EQ(record.rows.size(), std::size(cases) + 1) << "S1 and the mdl row are no QC rows";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const records::QcRow& r = record.rows[i];
        EXPECT_EQ(r.name, c.name);
        EXPECT_EQ(r.type, c.type);
        expectRelative(r.value, c.value);
        EXPECT_EQ(r.unit, c.unit);
        ASSERT_FALSE(r.verdicts.empty());
        EXPECT_EQ(r.verdicts[0].rule, c.rule);
        EXPECT_TRUE(r.verdicts[0].pass.has_value());
    }
    EXPECT_EQ(record.rows[1].added, "1");
    EXPECT_EQ(record.rows[1].verdicts[0].low, 80.0);
    EXPECT_EQ(record.rows[2].nominal, "4.0");
    EXPECT_EQ(records::seriesOfRow(record.rows[2]), "check:4");
    EXPECT_EQ(record.rows[3].certified, "30");

    // A spike of a sample that is not there: filed without a value, its rule not judged.
    const records::QcRow& unjudged = record.rows.back();
    EXPECT_EQ(unjudged.type, "spike");
    EXPECT_FALSE(unjudged.value.has_value());
    ASSERT_EQ(unjudged.verdicts.size(), 1u);
    EXPECT_EQ(unjudged.verdicts[0].pass, std::nullopt);
    EXPECT_EQ(unjudged.verdicts[0].text, "找不到样品 \"没有这个样品\"");

    EXPECT_EQ(record.identity, std::string(64, 'a'));
    EXPECT_EQ(record.fileName, "/lab/2026-118.lumetra");
    EXPECT_EQ(record.header.batchNumber, "2026-118");
    EXPECT_EQ(record.header.analysisDate, "2026-12-07");
    EXPECT_EQ(record.methodName, "GB 7493");
    EXPECT_EQ(record.methodHash, d.method.sha256);
    EXPECT_EQ(record.analyte, "亚硝酸盐氮");
    EXPECT_EQ(record.curveUnit, "μg/mL");
    EXPECT_EQ(record.resultUnit, "mg/L");
    const records::CurveRecord& curve = record.curve;
    EXPECT_EQ(curve.model, "line");
    EXPECT_EQ(curve.weighting, "none");
    EXPECT_EQ(curve.n, 5);
    EXPECT_EQ(curve.a, 0.0); // the zero standard's reading taken off every standard
    EXPECT_EQ(curve.b, 0.2);
    EXPECT_EQ(curve.c, std::nullopt);
    EXPECT_EQ(curve.r, 1.0);
    EXPECT_EQ(curve.limitKind, "lod");
    EXPECT_EQ(curve.reportedLimit, results.batch.reportedLimit.value);
}

TEST(BatchRecord, CurveOfEachModel) {
    struct Case {
        const char* name;
        calc::Model model;
        bool a, c;
    };
    const Case cases[] = {
        {"straight line", calc::Model::Line, true, false},
        {"through the origin: no intercept", calc::Model::Origin, false, false},
        {"second order", calc::Model::Quadratic, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calibration::Document d = batch();
        d.settings.model = c.model;
        d.settings.limit = calibration::ReportedLimit::Xd;
        const records::BatchRecord record =
            records::batchRecord(d, calibration::evaluate(d), std::string(64, 'b'), "");
        EXPECT_EQ(record.curve.model, calibration::kModelKeys[std::size_t(c.model)]);
        EXPECT_EQ(record.curve.a.has_value(), c.a);
        EXPECT_TRUE(record.curve.b.has_value());
        EXPECT_EQ(record.curve.c.has_value(), c.c);
        EXPECT_EQ(record.curve.limitKind, "xd");
    }
    // No curve: the keys, nothing fitted.
    calibration::Document none = batch();
    none.standards.resize(1);
    const records::BatchRecord record =
        records::batchRecord(none, calibration::evaluate(none), std::string(64, 'c'), "");
    EXPECT_EQ(record.curve.n, 0);
    EXPECT_EQ(record.curve.b, std::nullopt);
    EXPECT_EQ(record.curve.model, "line");
}

// --- judging against frozen charts ---

// Frozen at centre 10 and s 1 (limits 7..13 at 3s).
records::ChartContext frozen(const std::string& key, std::vector<double> earlier,
                             const std::string& unit = "mg/L") {
    records::FrozenRecord limits;
    limits.series = key;
    limits.sigma = "sd";
    limits.centre = 10;
    limits.s = 1;
    return {{"M", ""}, {{key, records::FrozenSeries{limits, unit, std::move(earlier)}}}};
}

records::BatchRow qcRow(std::size_t sample, const char* type, const char* nominal, double value,
                        const char* unit = "mg/L") {
    records::QcRow r;
    r.type = type;
    r.name = std::string(1, 'Q'); // not from a literal: GCC 12 warns of a memcpy overlap there
    r.nominal = nominal;
    r.value = value;
    r.unit = unit;
    return {sample, r};
}

// Around the centre, inside 1s, completing no rule: +0.5, +0.3, -0.5, -0.3, ... (no run on one
// side longer than two, no long alternation), ending below the centre.
std::vector<double> quiet() {
    std::vector<double> values;
    for (int i = 0; i < 12; ++i) {
        values.push_back(10 + (i % 4 < 2 ? 1 : -1) * (i % 2 == 0 ? 0.5 : 0.3));
    }
    return values;
}

TEST(ChartJudging, Rules) {
    // Eight above the centre, one of them beyond 1s (so that no fifteen lie within 1s).
    std::vector<double> eightAbove = quiet(), sevenAbove = quiet();
    for (double v : {10.2, 11.4, 10.1, 10.3, 10.2, 10.4, 10.1, 10.3}) {
        eightAbove.push_back(v);
    }
    sevenAbove.insert(sevenAbove.end(), eightAbove.end() - 7, eightAbove.end());
    struct Case {
        const char* name;
        records::ChartContext context;
        std::vector<records::BatchRow> rows;
        std::vector<std::pair<std::size_t, std::vector<std::string>>> fired; // sample, keys
    };
    const Case cases[] = {
        {"just beyond 3s: t1",
         frozen("check:3", quiet()),
         {qcRow(4, "check", "3.0", 13.001)},
         {{4, {"t1"}}}},
        {"just within 3s", frozen("check:3", quiet()), {qcRow(4, "check", "3.0", 12.999)}, {}},
        {"the ninth on one side across the batches: t2",
         frozen("check:3", eightAbove),
         {qcRow(2, "check", "3", 10.05)},
         {{2, {"t2"}}}},
        {"the eighth on one side",
         frozen("check:3", sevenAbove),
         {qcRow(2, "check", "3", 10.05)},
         {}},
        {"two rows of the batch, in order: the second completes t5",
         frozen("check:3", quiet()),
         {qcRow(1, "check", "3", 12.5), qcRow(3, "check", "3.00", 12.2)},
         {{3, {"t5"}}}},
        {"the duplicates' chart has no lower side",
         frozen("duplicate", quiet(), "%"),
         {qcRow(5, "duplicate", "", 6.5, "%")},
         {}},
        {"above it, t1 as on any chart",
         frozen("duplicate", quiet(), "%"),
         {qcRow(5, "duplicate", "", 13.5, "%")},
         {{5, {"t1"}}}},
        {"a row in another unit is not judged",
         frozen("check:3", quiet()),
         {qcRow(4, "check", "3", 99, "mg/l")},
         {}},
        {"another series' frozen limits",
         frozen("check:5", quiet()),
         {qcRow(4, "check", "3", 99)},
         {}},
        {"no earlier points: the row's own unit",
         frozen("check:3", {}, ""),
         {qcRow(0, "check", "3", 14, "mg/l")},
         {{0, {"t1"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto checks = records::chartChecks(c.rows, c.context);
        ASSERT_EQ(checks.size(), c.fired.size());
        for (std::size_t i = 0; i < checks.size(); ++i) {
            const calibration::QualityCheck& check = checks[i].second;
            EXPECT_EQ(checks[i].first, c.fired[i].first);
            EXPECT_STREQ(check.rule, "control_chart");
            EXPECT_EQ(check.pass, false);
            EXPECT_EQ(std::vector<std::string>(check.keys.begin(), check.keys.end()),
                      c.fired[i].second);
        }
    }
    // In words, with each rule's caption.
    const auto t1 =
        records::chartChecks({qcRow(4, "check", "3.0", 13.5)}, frozen("check:3", quiet()));
    ASSERT_EQ(t1.size(), 1u);
    EXPECT_EQ(calibration::render(t1[0].second.verdict), "质控图 check:3 失控：t1 1点超出3s控制限");
}

// The rule joins the row's own and counts in the batch's summary; judged against the charts of
// another method, nothing is added.
TEST(ChartJudging, CountedInTheSummary) {
    calibration::Document d = batch();
    calibration::Results results = calibration::evaluate(d);
    const int failed = results.batch.failed;
    records::judgeAgainstCharts(d, results, frozen("check:4", {}, ""));
    EXPECT_EQ(results.batch.failed, failed) << "the charts of method M, not of GB 7493";

    records::ChartContext context = frozen("check:4", {3.0, 3.01, 2.99});
    context.group = records::groupOf(d);
    context.series["check:4"]->unit = "μg/mL";
    context.series["check:4"]->limits.centre = 3.0;
    context.series["check:4"]->limits.s = 0.01;
    records::judgeAgainstCharts(d, results, context);
    EXPECT_EQ(results.batch.failed, failed + 1);
    const auto& checks = results.samples[3].checks;
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_STREQ(checks[1].rule, "control_chart");
    EXPECT_EQ(results.samples[3].qcPass(), false);
    EXPECT_NE(calibration::render(results.batch.summary).find("质控图 check:4 失控：t1"),
              std::string::npos)
        << calibration::render(results.batch.summary);
    // Filed with its keys.
    const auto record = records::batchRecord(d, results, std::string(64, 'd'), "");
    EXPECT_EQ(record.rows[2].verdicts.back().text, "t1");
}

} // namespace
