// The top-down way on a database filled with known quality-control results: u(Rw) from the chart
// nearest the result, u(bias) from the filed reference-material results, each worked here in
// long double; and the components that cannot be had, named.

#include "calibration/results.h"
#include "records/store.h"
#include "records/top_down.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Ten batches of the method "Cd": a check standard at 0.3 mg/L and the reference material CRM1
// (certified 0.200 mg/L, U 0.010 mg/L) in each.
constexpr double kCheck[] = {0.301, 0.296, 0.305, 0.299, 0.294, 0.303, 0.300, 0.298, 0.306, 0.297};
constexpr double kCrm[] = {0.204, 0.198, 0.207, 0.201, 0.195, 0.203, 0.209, 0.199, 0.202, 0.206};

records::BatchRecord batch(int i, const std::string& method, bool withCrm) {
    records::BatchRecord b;
    b.identity =
        QCryptographicHash::hash(QByteArray::number(i) + method.c_str(), QCryptographicHash::Sha256)
            .toHex()
            .toStdString();
    b.fileName = "b" + std::to_string(i) + ".lumetra";
    b.filedBy = "analyst";
    b.header.analysisDate = "2026-11-" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1);
    b.methodName = method;
    b.curveUnit = b.resultUnit = "mg/L";
    records::QcRow check;
    check.type = "check";
    check.name = "K";
    check.nominal = "0.3";
    check.value = kCheck[i];
    check.unit = "mg/L";
    b.rows.push_back(check);
    if (withCrm) {
        records::QcRow crm;
        crm.type = "reference";
        crm.name = "CRM1";
        crm.certified = "0.200";
        crm.value = kCrm[i];
        crm.unit = "mg/L";
        crm.verdicts.push_back({"reference", std::fabs(kCrm[i] - 0.2), std::nullopt, 0.010,
                                std::fabs(kCrm[i] - 0.2) <= 0.010, ""});
        b.rows.push_back(crm);
    }
    return b;
}

// The cadmium calibration with a sample at 0.260 mg/L, under the method `method`.
calibration::Document document(const std::string& method) {
    calibration::Document d;
    d.unit = "mg/L";
    for (const auto& [c, a] : {std::pair{"0.1", "0.0328"},
                               {"0.3", "0.0810"},
                               {"0.5", "0.1292"},
                               {"0.7", "0.1774"},
                               {"0.9", "0.2256"}}) {
        d.standards.push_back({c, a, false, {}});
    }
    d.settings.limit = calibration::ReportedLimit::Mdl;
    d.settings.uncertainty.way = calibration::UncertaintyWay::TopDown;
    d.method.name = method;
    calibration::Sample sample;
    sample.readings = "0.0714";
    d.samples.push_back(sample);
    return d;
}

long double rsd(const double* values, int n) {
    long double mean = 0, ss = 0;
    for (int i = 0; i < n; ++i) {
        mean += values[i];
    }
    mean /= n;
    for (int i = 0; i < n; ++i) {
        ss += (values[i] - mean) * (values[i] - mean);
    }
    return std::sqrt(ss / (n - 1)) / mean;
}

class TopDown : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        records::DatabaseUrl url;
        url.path = dir.filePath(QStringLiteral("qc.sqlite")).toStdString();
        auto opened = records::openStore(url);
        ASSERT_TRUE(opened) << calibration::render(opened.fault().message);
        store = std::move(opened).value();
        for (int i = 0; i < 10; ++i) {
            for (const auto& [method, crm] : {std::pair{"Cd", true}, {"Pb", false}}) {
                const auto filed = store->file(batch(i, method, crm));
                ASSERT_TRUE(filed) << calibration::render(filed.fault().message);
            }
        }
    }
    QTemporaryDir dir;
    std::unique_ptr<records::Store> store;
};

TEST_F(TopDown, FromTheFiledResults) {
    const calibration::Document d = document("Cd");
    calibration::Results results = calibration::evaluate(d);
    const auto inputs = records::readTopDownInputs(*store, d, results);
    ASSERT_FALSE(inputs->problem);
    ASSERT_EQ(inputs->rw.size(), 2u); // the check standard and the reference material
    ASSERT_EQ(inputs->references.size(), 10u);
    calibration::applyTopDown(d, results, inputs);
    const calibration::SampleUncertainty& u = *results.samples[0].uncertainty;
    ASSERT_TRUE(u.value) << calibration::render(*u.reason);

    // The result 0.260 lies nearer the check standard (0.300) than the CRM (0.202): its RSD.
    const long double uRw = rsd(kCheck, 10);
    long double squares = 0;
    for (double v : kCrm) {
        squares += (v - 0.2L) / 0.2L * ((v - 0.2L) / 0.2L);
    }
    const long double rms = std::sqrt(squares / 10), uCref = 0.010L / (2 * 0.200L);
    const long double uBias = std::sqrt(rms * rms + uCref * uCref);
    ASSERT_EQ(u.value->components.size(), 2u);
    EXPECT_NEAR(u.value->components[0].uRel, double(uRw), 1e-12);
    ASSERT_TRUE(u.value->components[0].dof);
    EXPECT_EQ(*u.value->components[0].dof, 9);
    EXPECT_NEAR(u.value->components[1].uRel, double(uBias), 1e-12);
    EXPECT_NEAR(u.value->uRel, double(std::sqrt(uRw * uRw + uBias * uBias)), 1e-12);
    EXPECT_EQ(calibration::render(u.inputs[0]).substr(0, 9), "check:0.3");
}

TEST_F(TopDown, MissingDataIsNamed) {
    const struct {
        const char* name;
        const char* method;
        const char* reason;
    } cases[] = {
        {"charts but no reference results", "Pb", "没有已归档的质控样结果，无法评定偏倚分量"},
        {"nothing filed for the method", "Zn",
         "没有核查标准或质控样的质控图参考期，无法评定期间精密度分量"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const calibration::Document d = document(c.method);
        calibration::Results results = calibration::evaluate(d);
        calibration::applyTopDown(d, results, records::readTopDownInputs(*store, d, results));
        const calibration::SampleUncertainty& u = *results.samples[0].uncertainty;
        EXPECT_FALSE(u.value);
        ASSERT_TRUE(u.reason);
        EXPECT_EQ(calibration::render(*u.reason), c.reason);
    }
}

} // namespace
