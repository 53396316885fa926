// The quality-control database with 10 000 batches filed: filing one more batch, and opening a
// chart of 1 000 points (reading the series, then the limits and rules over it). Fills an SQLite
// file first (10 methods of 1 000 batches, six QC rows each: checks at 3 and 5, a reference
// material, a spike, a duplicate, a blank), keeps it for later runs, and prints the median,
// minimum and maximum of each; asserts nothing.
// Then a batch filed as the window and `lumetra qc file` file it: a document evaluated, its
// identity, the frozen charts of its six series read (every series of the method frozen, 1 000
// points each) and its points judged, the record made, filed through the database module, and
// remembered; once with the database open (the window keeps it), once opening it too (the command
// line), and the command line itself as a process.
// Usage: lumetra_records_bench [DATABASE_FILE] [RUNS]   (default: records_bench.sqlite, 21)

#include "calc/control_chart.h"
#include "calibration/results.h"
#include "io/batch_identity.h"
#include "io/calibration_file.h"
#include "records/batch_record.h"
#include "records/database.h"
#include "records/filing.h"
#include "records/judging.h"
#include "records/store.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int methods = 10;
constexpr int batchesPerMethod = 1000;

std::string sha256(const std::string& text) {
    return QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

records::BatchRecord batch(int method, int index, const std::string& seed) {
    records::BatchRecord b;
    b.identity = sha256(seed);
    b.fileName = seed + ".lumetra";
    b.filedBy = "bench";
    const int day = index % 28 + 1;
    const int month = index / 28 % 12 + 1;
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2020 + index / 336, month, day);
    b.header.analysisDate = date;
    b.filedAt = std::string(date) + "T10:00:00+08:00";
    b.header.batchNumber = seed;
    b.header.laboratory = "水质实验室";
    b.methodName = "方法 " + std::to_string(method);
    b.methodHash = sha256(b.methodName);
    b.analyte = "氨氮";
    b.curveUnit = b.resultUnit = "mg/L";
    b.curve = {"line",       "none", 7,     0.002, 0.15 + 0.0001 * (index % 17),
               std::nullopt, 0.9998, 0.001, 0.02,  "lod"};
    const auto row = [&](const char* type, const char* name, const char* nominal, double value,
                         const char* unit) {
        records::QcRow r{type, name, nominal, "", "", value, unit, {}};
        r.verdicts = {{type, value, 90, 110, true, "相对误差 1.0%，要求≤10%"}};
        b.rows.push_back(r);
    };
    const double wobble = 0.01 * ((index * 7919) % 13 - 6);
    row("check", "核查3", "3", 3 + wobble, "mg/L");
    row("check", "核查5", "5.0", 5 + wobble, "mg/L");
    row("reference", "GSB 07-3164", "", 1.52 + wobble, "mg/L");
    row("spike", "加标", "", 100 + 10 * wobble, "%");
    row("duplicate", "平行", "", 2 + wobble, "%");
    row("blank", "空白", "", 0.01 + wobble / 100, "");
    return b;
}

// A day's batch of method 9 with the six QC rows of the filled batches; `run` changes the check
// standard's reading, so that each is a batch never filed.
calibration::Document document(int run) {
    calibration::Document d;
    d.unit = "mg/L";
    for (int c = 0; c <= 6; ++c) {
        d.standards.push_back({std::to_string(c), std::to_string(0.002 + 0.15 * c), false, ""});
    }
    d.method.name = "方法 9";
    d.method.sha256 = sha256(d.method.name);
    d.header.analyte = "氨氮";
    d.header.analysisDate = "2031-01-01";
    const auto row = [&d](const char* name, std::string readings, const char* type) {
        calibration::Sample s;
        s.name = name;
        s.readings = std::move(readings);
        s.type = type;
        d.samples.push_back(s);
        return &d.samples.back();
    };
    row("样品", "0.302", "");
    row("核查3", std::to_string(0.452 + 1e-6 * run), "check")->nominal = "3";
    row("核查5", "0.752", "check")->nominal = "5.0";
    auto* reference = row("GSB 07-3164", "0.230", "reference");
    reference->certified = "1.52";
    reference->u = "0.05";
    auto* spike = row("加标", "0.452", "spike");
    spike->of = "样品";
    spike->added = "1";
    row("平行", "0.305", "duplicate")->of = "样品";
    row("空白", "0.003", "blank");
    return d;
}

// Every series of method 9 frozen (once: the database is kept).
bool freezeAll(records::Database& db) {
    const records::ChartGroup group{"方法 9", ""};
    for (const char* series :
         {"check:3", "check:5", "reference:GSB 07-3164", "spike", "duplicate", "blank"}) {
        const auto frozen = db.frozenLimits(group, series);
        if (!frozen) {
            return false;
        }
        if (frozen.value()) {
            continue;
        }
        const auto points = db.series(group, series);
        std::vector<calc::ChartPoint> values;
        for (const auto& p : points.value()) {
            values.push_back({p.date, p.value});
        }
        const auto chart = calc::individualsChart(values, calc::ChartSettings{});
        const auto* drawn = std::get_if<calc::IndividualsChart>(&chart);
        if (drawn == nullptr) {
            return false;
        }
        records::FrozenRecord limits;
        limits.group = group;
        limits.series = series;
        limits.sigma = "sd";
        limits.centre = drawn->limits.centre;
        limits.s = drawn->limits.s;
        limits.referenceN = drawn->reference.n;
        limits.referenceFrom = drawn->reference.from;
        limits.referenceTo = drawn->reference.to;
        if (!db.freeze(limits)) {
            return false;
        }
    }
    return true;
}

// The filing of the window and the command line, from the document to the memory.
bool fileThroughTheRealPath(records::Store& store, const calibration::Document& d) {
    calibration::Results results = calibration::evaluate(d);
    const std::string identity = io::batchIdentity(d);
    const auto own = store.findBatch(identity);
    const auto rows = records::qcRows(d, results);
    const auto context =
        records::readChartContext(store, records::groupOf(d), records::seriesOf(rows), own.value());
    if (!context) {
        return false;
    }
    records::judgeAgainstCharts(d, results, context.value());
    const auto filed =
        records::fileBatch(store, records::batchRecord(d, results, identity, "/lab/batch.lumetra"));
    return filed && !filed->duplicate;
}

struct Times {
    std::vector<double> ms;
    void print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-44s median %8.2f ms   min %8.2f   max %8.2f   (%zu runs)\n", what,
                    ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    records::DatabaseUrl url;
    url.path = argc > 1 ? argv[1] : "records_bench.sqlite";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;

    auto opened = records::Database::open(url);
    if (!opened) {
        std::fprintf(stderr, "%s\n", calibration::render(opened.fault().message).c_str());
        return 1;
    }
    records::Database db = std::move(opened).value();

    QElapsedTimer timer;
    timer.start();
    int filed = 0;
    for (int m = 0; m < methods; ++m) {
        for (int i = 0; i < batchesPerMethod; ++i) {
            std::string seed = "m";
            seed += std::to_string(m);
            seed += '-';
            seed += std::to_string(i);
            const auto outcome = db.file(batch(m, i, seed));
            if (!outcome) {
                std::fprintf(stderr, "%s\n", calibration::render(outcome.fault().message).c_str());
                return 1;
            }
            filed += outcome->duplicate ? 0 : 1;
        }
    }
    std::printf("%d batches filed now (%d there already) in %.1f s\n", filed,
                methods * batchesPerMethod - filed, timer.elapsed() / 1000.0);

    Times filing, reading, chart;
    const records::ChartGroup group{"方法 3", ""};
    std::size_t points = 0;
    for (int run = 0; run < runs; ++run) {
        // A new batch each run: its identity has never been filed.
        std::string seed = "extra-";
        seed += std::to_string(QDateTime::currentMSecsSinceEpoch());
        seed += '-';
        seed += std::to_string(run);
        timer.restart();
        const auto outcome = db.file(batch(9, batchesPerMethod + run, seed));
        filing.ms.push_back(timer.nsecsElapsed() / 1e6);
        if (!outcome || outcome->duplicate) {
            std::fprintf(stderr, "filing failed\n");
            return 1;
        }

        timer.restart();
        const auto series = db.series(group, "check:3");
        reading.ms.push_back(timer.nsecsElapsed() / 1e6);
        if (!series) {
            std::fprintf(stderr, "%s\n", calibration::render(series.fault().message).c_str());
            return 1;
        }
        std::vector<calc::ChartPoint> chartPoints;
        chartPoints.reserve(series->size());
        for (const auto& p : series.value()) {
            chartPoints.push_back({p.date, p.value});
        }
        const auto limits = db.frozenLimits(group, "check:3");
        const auto drawn = calc::individualsChart(chartPoints, calc::ChartSettings{});
        chart.ms.push_back(timer.nsecsElapsed() / 1e6);
        points = series->size();
        if (!limits || std::holds_alternative<calc::ChartRefusal>(drawn)) {
            std::fprintf(stderr, "chart failed\n");
            return 1;
        }
    }
    filing.print("filing one batch (6 QC rows)");
    reading.print(("reading a series of " + std::to_string(points) + " points").c_str());
    chart.print("the same, with frozen limits and the rules");

    if (!freezeAll(db)) {
        std::fprintf(stderr, "freezing the charts failed\n");
        return 1;
    }
    // The memory of filings in a folder of the benchmark's own, never the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    Times open, opening, process;
    auto store = records::openStore(url);
    if (!store) {
        std::fprintf(stderr, "%s\n", calibration::render(store.fault().message).c_str());
        return 1;
    }
    const int first = int(QDateTime::currentMSecsSinceEpoch() % 1000000) * 100;
    for (int run = 0; run < runs; ++run) {
        timer.restart();
        if (!fileThroughTheRealPath(*store.value(), document(first + 3 * run))) {
            std::fprintf(stderr, "filing through the real path failed\n");
            return 1;
        }
        open.ms.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        auto opened = records::openStore(url);
        if (!opened || !fileThroughTheRealPath(*opened.value(), document(first + 3 * run + 1))) {
            std::fprintf(stderr, "filing through the real path failed\n");
            return 1;
        }
        opening.ms.push_back(timer.nsecsElapsed() / 1e6);

        // `lumetra qc file` from its start to its end, when the program is at hand.
        const QString program = QStringLiteral(LUMETRA_BINARY);
        const QString file = data.filePath(QStringLiteral("batch.lumetra"));
        if (io::saveCalibration(file, document(first + 3 * run + 2)) ||
            !QFileInfo::exists(program)) {
            continue;
        }
        timer.restart();
        QProcess lumetra;
        lumetra.start(program, {QStringLiteral("qc"), QStringLiteral("file"), file,
                                QStringLiteral("--database"),
                                QStringLiteral("sqlite:") + QString::fromStdString(url.path)});
        if (!lumetra.waitForFinished(60000) || lumetra.exitCode() != 0) {
            std::fprintf(stderr, "lumetra qc file failed: %s\n",
                         lumetra.readAllStandardError().constData());
            return 1;
        }
        process.ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    open.print("filing through the real path, database open");
    opening.print("the same, opening the database");
    if (!process.ms.empty()) {
        process.print("lumetra qc file, a process start to end");
    }
    return 0;
}
