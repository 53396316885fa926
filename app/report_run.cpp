#include "app/report_run.h"

#include "app/command_line.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calibration/data_report.h"
#include "calibration/entries.h"
#include "calibration/keys.h"
#include "calibration/method.h"
#include "calibration/results.h"
#include "calibration/text.h"
#include "io/batch_identity.h"
#include "io/calibration.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/document_text.h"
#include "io/files.h"
#include "io/method_file.h"
#include "records/configured.h"
#include "records/judging.h"
#include "records/store.h"
#include "records/top_down.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <set>
#include <tuple>
#include <unordered_set>
#include <vector>

namespace app {

namespace {

// "standards.csv：第3行：…": the file, then what went wrong in it.
QString inFile(const QString& file, const QString& what) {
    return CommandLine::tr("%1：%2", "a file, then what went wrong in it")
        .arg(io::shownPath(file), what);
}

QString located(const QString& file, const calibration::Message& place,
                const calibration::Message& reason) {
    return inFile(file, io::fromDocument(calibration::render(calibration::located(place, reason))));
}

bool isCalibrationFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("lumetra"), Qt::CaseInsensitive) == 0;
}

std::vector<calibration::Sample> documentRows(const QList<io::Sample>& rows) {
    std::vector<calibration::Sample> samples;
    samples.reserve(std::size_t(rows.size()));
    for (const io::Sample& row : rows) {
        samples.push_back(io::toDocument(row));
    }
    return samples;
}

// A file read once, parsed from the bytes that were hashed; the error names the file.
template <typename T>
io::Expected<T> readHashed(const QString& path, io::Expected<T> (*parse)(const QByteArray&),
                           const QString& label, ReadFiles& read) {
    const io::Expected<QByteArray> bytes = io::readFileLimited(path);
    if (!bytes) {
        return bytes.error();
    }
    if (read.wanted) {
        read.files.push_back({label, QString::fromStdString(io::sha256Hex(bytes.value()))});
    }
    io::Expected<T> parsed = parse(bytes.value());
    if (!parsed) {
        io::Error error = parsed.error();
        error.file = path;
        return error;
    }
    return parsed;
}

// A samples file for a script must be all numbers: the first row that is not fails the run.
io::Expected<std::vector<calibration::Sample>> readSamples(const QString& path,
                                                           const QString& option, ReadFiles& read) {
    auto csv = readHashed(path, io::readSamplesCsv,
                          CommandLine::tr("%1（%2）", "a file with the option that named it")
                              .arg(io::shownPath(path), option),
                          read);
    if (!csv) {
        return csv.error();
    }
    if (auto error = io::checkNumbers(csv.value())) {
        error->file = path;
        return *error;
    }
    return documentRows(csv->rows);
}

// One of `keys`, or the usage error naming the option and what it accepts.
template <std::size_t N>
std::optional<int> choiceOf(const QCommandLineParser& parser, const QCommandLineOption& option,
                            const std::array<const char*, N>& keys, QString& error) {
    if (!parser.isSet(option)) {
        return std::nullopt;
    }
    const QString value = parser.value(option);
    QStringList allowed;
    for (std::size_t i = 0; i < N; ++i) {
        if (value == QLatin1StringView(keys[i])) {
            return int(i);
        }
        allowed << QString::fromLatin1(keys[i]);
    }
    error = CommandLine::tr("--%1 的值“%2”无效，应为 %3")
                .arg(option.names().first(), value,
                     allowed.join(CommandLine::tr("、", "between the values an option accepts")));
    return std::nullopt;
}

// A number within [low, high] (whole when asked), or the usage error.
std::optional<double> numberOf(const QCommandLineParser& parser, const QCommandLineOption& option,
                               double low, double high, bool whole, QString& error) {
    if (!parser.isSet(option)) {
        return std::nullopt;
    }
    const QString value = parser.value(option);
    const std::optional<double> number = calc::strictParse(value.toStdString());
    if (!number || *number < low || *number > high || (whole && *number != std::floor(*number))) {
        error =
            (whole ? CommandLine::tr("--%1 的值“%2”无效，应为%3到%4之间的整数")
                   : CommandLine::tr("--%1 的值“%2”无效，应为%3到%4之间的数"))
                .arg(option.names().first(), value, QString::number(low), QString::number(high));
        return std::nullopt;
    }
    return number;
}

// The options' settings over the document's; the first usage error.
std::optional<QString> applyOptions(const QCommandLineParser& parser, const ReportOptions& o,
                                    calibration::Document& document) {
    QString error;
    calibration::Settings& s = document.settings;
    const auto& models = calibration::kModelKeys;
    const auto& weights = calibration::kWeightKeys;
    const auto& limits = calibration::kLimitKeys;
    const auto& belows = calibration::kBelowKeys;
    static constexpr std::array<const char*, 2> levels{"95", "99"};
    static constexpr std::array<const char*, 2> alphas{"0.05", "0.01"};
    if (const auto v = choiceOf(parser, o.model, models, error)) {
        s.model = calc::Model(*v);
    }
    if (const auto v = choiceOf(parser, o.weight, weights, error)) {
        s.weighting = calc::Weighting(*v);
    }
    if (const auto v = choiceOf(parser, o.limit, limits, error)) {
        s.limit = calibration::ReportedLimit(*v);
    }
    if (const auto v = choiceOf(parser, o.below, belows, error)) {
        s.below = calibration::BelowLimit(*v);
    }
    if (const auto v = choiceOf(parser, o.level, levels, error)) {
        s.level = *v == 0 ? 95 : 99;
    }
    if (const auto v = choiceOf(parser, o.alpha, alphas, error)) {
        s.alpha = *v == 0 ? 0.05 : 0.01;
    }
    if (const auto v = numberOf(parser, o.k, 1, 10, false, error)) {
        s.k = *v;
    }
    if (const auto v = numberOf(parser, o.m, 1, 100, true, error)) {
        s.m = int(*v);
    }
    // Decimals below the switch, significant digits from it: the three go together.
    const bool switching = parser.isSet(o.switchAt);
    if (switching && !(parser.isSet(o.digits) && parser.isSet(o.decimals))) {
        return CommandLine::tr("--switch-at 需要同时给出 --decimals 和 --digits");
    }
    if (!switching && parser.isSet(o.digits) && parser.isSet(o.decimals)) {
        return CommandLine::tr("--digits 和 --decimals 只能选一个（除非给出 --switch-at）");
    }
    if (const auto v = numberOf(parser, o.digits, 1, 15, true, error)) {
        s.rounding = calibration::Rounding::Significant;
        s.digits = int(*v);
    }
    if (const auto v = numberOf(parser, o.decimals, 0, 15, true, error)) {
        s.rounding = calibration::Rounding::Decimals;
        s.digits = int(*v);
    }
    if (const auto v =
            numberOf(parser, o.switchAt, 0, std::numeric_limits<double>::max(), false, error)) {
        if (!(*v > 0)) {
            return CommandLine::tr("--switch-at 的值“%1”无效，应为大于0的数")
                .arg(parser.value(o.switchAt));
        }
        const auto digits = numberOf(parser, o.digits, 1, 15, true, error);
        const auto decimals = numberOf(parser, o.decimals, 0, 15, true, error);
        if (digits && decimals) {
            s.rounding = calibration::Rounding::Switch;
            s.digits = int(*digits);
            s.switchDecimals = int(*decimals);
            s.switchAt = *v;
        }
    }
    if (const auto v = numberOf(parser, o.blankAbsorbanceMax, 0, 10, false, error)) {
        s.blankAbsorbanceMax = *v;
    }
    // A volume or factor that no result could be computed with is refused where it is given.
    for (const auto& [option, field, text] :
         {std::tuple{&o.volume, calibration::Field::Volume, &s.volume},
          std::tuple{&o.factor, calibration::Field::Factor, &s.factor}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        const std::string value = io::toDocument(parser.value(*option));
        if (calibration::scaleProblem(value, field)) {
            error =
                CommandLine::tr("--%1 的值“%2”无效，应为%3到%4之间的数")
                    .arg(option->names().first(), parser.value(*option),
                         QString::fromStdString(calc::formatNumber(
                             calibration::kSmallestScale, calc::NumberStyle::shortestRoundTrip())),
                         QString::fromStdString(calc::formatNumber(
                             calibration::kLargestScale, calc::NumberStyle::shortestRoundTrip())));
        }
        *text = value;
    }
    if (parser.isSet(o.resultUnit)) {
        s.resultUnit = io::toDocument(parser.value(o.resultUnit));
    }
    if (parser.isSet(o.blankCorrection)) {
        s.blankCorrection = true;
    }
    if (const auto v = choiceOf(parser, o.calibration, calibration::kCalibrationKeys, error)) {
        s.calibration = calibration::CalibrationType(*v);
    }
    // The volume form: V0 and C_std together, each a positive number.
    if (parser.isSet(o.v0) != parser.isSet(o.cStd)) {
        error = CommandLine::tr("--v0 和 --c-std 须同时给出");
    }
    for (const auto& [option, text] :
         {std::pair{&o.v0, &s.additionV0}, std::pair{&o.cStd, &s.additionCStd}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        const std::optional<double> value =
            calc::strictParse(io::toDocument(parser.value(*option)));
        if (!value || !(*value > 0)) {
            error = CommandLine::tr("--%1 的值“%2”无效，应为大于0的数")
                        .arg(option->names().first(), parser.value(*option));
        }
        *text = io::toDocument(parser.value(*option));
        s.calibration = calibration::CalibrationType::Addition;
    }
    if (parser.isSet(o.internalStandard)) {
        s.internalStandard = true;
    }
    if (parser.isSet(o.internalStandard) &&
        s.calibration == calibration::CalibrationType::Addition) {
        error = CommandLine::tr("内标法只用于外标校准，不能与标准加入同用");
    }
    if (!error.isEmpty()) {
        return error;
    }
    if (const auto problem = applyUncertaintyOptions(parser, o.uncertainty, s.uncertainty)) {
        return problem;
    }
    if (parser.isSet(o.exclude)) {
        for (calibration::Standard& standard : document.standards) {
            standard.excluded = false;
            standard.reason.clear();
        }
        for (const QString& part : parser.value(o.exclude).split(u',')) {
            bool ok = false;
            const int number = part.trimmed().toInt(&ok);
            if (!ok || number < 1 || number > int(document.standards.size())) {
                return CommandLine::tr("--exclude 的“%1”无效，应为1到%2之间的标准点序号")
                    .arg(part.trimmed(), QString::number(document.standards.size()));
            }
            calibration::Standard& standard = document.standards[std::size_t(number - 1)];
            standard.excluded = true;
            standard.reason = io::toDocument(CommandLine::tr("命令行排除"));
        }
    }
    return std::nullopt;
}

// Names the unnamed blanks "空白 1", "空白 2", …, skipping every name the list or the blanks
// already hold, so that no name a row refers to becomes ambiguous.
void nameBlanks(std::vector<calibration::Sample>& blanks,
                const std::vector<calibration::Sample>& samples) {
    std::unordered_set<std::string_view> taken;
    for (const std::vector<calibration::Sample>* rows : {&samples, &std::as_const(blanks)}) {
        for (const calibration::Sample& row : *rows) {
            if (!calibration::text::isBlank(row.name)) {
                taken.insert(calibration::text::trimmed(row.name));
            }
        }
    }
    int number = 0;
    for (calibration::Sample& blank : blanks) {
        if (!calibration::text::isBlank(blank.name)) {
            continue;
        }
        std::string name;
        do {
            name = io::toDocument(CommandLine::tr("空白 %1").arg(++number));
        } while (taken.contains(calibration::text::trimmed(name)));
        blank.name = std::move(name);
        taken.insert(calibration::text::trimmed(blank.name));
    }
}

// The batch judged against the frozen charts of its group in `store`; the batch's own record, when
// it is filed already, is not one of the earlier points. The fault's words, or nullopt.
std::optional<QString> judgeWithCharts(records::Store& store, const calibration::Document& document,
                                       calibration::Results& results) {
    const std::vector<records::BatchRow> rows = records::qcRows(document, results);
    const std::set<std::string> keys = records::seriesOf(rows);
    if (keys.empty()) {
        return std::nullopt;
    }
    const auto own = store.findBatch(io::batchIdentity(document));
    if (!own) {
        return rendered(own.fault().message);
    }
    const auto context =
        records::readChartContext(store, records::groupOf(document), keys, own.value());
    if (!context) {
        return rendered(context.fault().message);
    }
    records::judgeAgainstCharts(document, results, context.value());
    return std::nullopt;
}

} // namespace

int fail(int code, QString line) {
    for (QChar& ch : line) {
        if (ch.unicode() < 0x20) {
            ch = u' ';
        }
    }
    const QByteArray bytes = (QStringLiteral("lumetra: ") + line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    return code;
}

std::variant<ReportRun, int> prepareReport(const QCommandLineParser& parser,
                                           const ReportOptions& options, const QString& file,
                                           bool hashFiles, records::Store* charts) {
    calibration::Document document;
    ReadFiles read{hashFiles, {}};
    const bool replaceSamples = parser.isSet(options.samples);
    if (isCalibrationFile(file)) {
        auto calibration = readHashed(file, io::readCalibration, io::shownPath(file), read);
        if (!calibration) {
            return fail(kFailure, calibration.error().message());
        }
        document = std::move(calibration).value();
        if (replaceSamples) {
            document.samples.clear();
        }
    } else {
        auto csv = readHashed(file, io::readStandardsCsv, io::shownPath(file), read);
        if (!csv) {
            return fail(kFailure, csv.error().message());
        }
        for (const io::Standard& standard : csv->rows) {
            document.standards.push_back(io::toDocument(standard));
        }
    }
    // The file's own samples, the first rows, must be numbers when they are used (checked as
    // they are read for the results).
    const std::size_t ownSamples = document.samples.size();
    if (replaceSamples) {
        auto samples =
            readSamples(parser.value(options.samples), QStringLiteral("--samples"), read);
        if (!samples) {
            return fail(kFailure, samples.error().message());
        }
        document.samples = std::move(samples).value();
    }
    // The method first: the options given explicitly count over it.
    if (parser.isSet(options.method)) {
        const QString path = parser.value(options.method);
        auto method = readHashed(path, io::readMethod,
                                 CommandLine::tr("%1（%2）", "a file with the option that named it")
                                     .arg(io::shownPath(path), QStringLiteral("--method")),
                                 read);
        if (!method) {
            return fail(kFailure, method.error().message());
        }
        document = calibration::withMethod(document, method.value());
    }
    if (parser.isSet(options.blanks)) {
        auto blanks = readSamples(parser.value(options.blanks), QStringLiteral("--blanks"), read);
        if (!blanks) {
            return fail(kFailure, blanks.error().message());
        }
        nameBlanks(blanks.value(), document.samples);
        for (calibration::Sample& blank : blanks.value()) {
            blank.type = "blank";
            document.samples.push_back(std::move(blank));
        }
    }
    if (const auto usage = applyOptions(parser, options, document)) {
        return fail(kFailure, *usage);
    }
    calibration::Results results = calibration::evaluate(document);
    // A standard that is not a number is a fault of the file, not of the data's spread.
    if (results.curve.unreadStandard) {
        return fail(kFailure, inFile(file, rendered(*results.curve.problem)));
    }
    // A standards file's internal-standard responses that the run would not use are a forgotten
    // option, not data to drop.
    if (!isCalibrationFile(file) && !document.settings.internalStandard &&
        std::any_of(document.standards.begin(), document.standards.end(),
                    [](const calibration::Standard& standard) { return !standard.is.empty(); })) {
        return fail(kFailure,
                    inFile(file, CommandLine::tr("标准点有内标响应，请给出 --internal-standard")));
    }
    for (std::size_t i = 0; i < ownSamples; ++i) {
        if (const auto problem = results.samples[i].values.problem()) {
            return fail(kFailure, located(file, calibration::samplePlace(i), *problem));
        }
    }
    if (results.curve.problem) {
        return fail(kCannotFit, inFile(file, rendered(*results.curve.problem)));
    }
    if (results.curve.noReading) {
        return fail(kCannotFit, inFile(file, rendered(*results.curve.noReading)));
    }
    if (results.addition.problem) {
        return fail(kCannotFit, inFile(file, rendered(*results.addition.problem)));
    }
    if (charts != nullptr) {
        if (const auto fault = judgeWithCharts(*charts, document, results)) {
            return fail(kFailure, *fault);
        }
    }
    // Top-down reads the charts and the reference-material results of the database named; without
    // one, every result says so.
    if (document.settings.uncertainty.way == calibration::UncertaintyWay::TopDown) {
        std::shared_ptr<const calibration::TopDownInputs> inputs;
        if (charts != nullptr) {
            inputs = records::readTopDownInputs(*charts, document, results);
        } else {
            auto none = std::make_shared<calibration::TopDownInputs>();
            none->problem = calibration::Message(
                QT_TRANSLATE_NOOP("calibration", "没有可读取的质控数据库（--database）"));
            inputs = std::move(none);
        }
        calibration::applyTopDown(document, results, std::move(inputs));
    }
    return ReportRun{std::move(document), std::move(results), std::move(read)};
}

bool strictFails(const calibration::Results& results) {
    // A rule that could not be judged is no pass, nor is a result beyond what can be computed.
    const bool beyondComputation =
        std::any_of(results.samples.begin(), results.samples.end(),
                    [](const calibration::SampleResult& sample) {
                        return !sample.result.value && sample.result.reason &&
                               *sample.result.reason == calibration::outOfRange();
                    });
    return results.batch.failed + results.batch.notJudged > 0 || beyondComputation;
}

std::optional<QString> languageProblem(const QCommandLineParser& parser,
                                       const QCommandLineOption& language) {
    static constexpr std::array<const char*, 2> languages{"zh", "en"};
    QString error;
    choiceOf(parser, language, languages, error);
    return error.isEmpty() ? std::nullopt : std::optional<QString>(error);
}

std::variant<std::optional<records::DatabaseUrl>, QString>
namedDatabase(const QCommandLineParser& parser, const QCommandLineOption& database) {
    std::optional<std::string> text;
    QString origin;
    if (parser.isSet(database)) {
        text = io::toDocument(parser.value(database));
        origin = QStringLiteral("--database：");
    } else {
        text = records::environmentDatabase();
        origin = QStringLiteral("LUMETRA_DATABASE：");
    }
    if (!text) {
        return std::optional<records::DatabaseUrl>();
    }
    auto url = records::parseDatabaseUrl(*text);
    if (const auto* why = std::get_if<calibration::Message>(&url)) {
        return origin + rendered(*why);
    }
    return std::optional<records::DatabaseUrl>(std::get<records::DatabaseUrl>(url));
}

} // namespace app
