#include "app/qc_command.h"

#include "app/command_line.h"
#include "app/report_run.h"
#include "calc/number_format.h"
#include "calibration/data_report.h"
#include "io/batch_identity.h"
#include "io/document_text.h"
#include "io/files.h"
#include "records/batch_record.h"
#include "records/chart.h"
#include "records/configured.h"
#include "records/filing.h"
#include "records/store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>

namespace app {

namespace {

// The commands' texts, translated in the context "QcCommand"; those shared with `report` keep
// the context "CommandLine".
struct QcCommand {
    Q_DECLARE_TR_FUNCTIONS(QcCommand)
};

// The output, every write, the flush and the close checked: output lost is a failure.
int succeedWith(const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    const int error = written ? 0 : errno;
    if (!written || std::fflush(stdout) != 0 || std::fclose(stdout) != 0) {
        const int code = error != 0 ? error : errno;
        return fail(kFailure,
                    QCoreApplication::translate("CommandLine", "写入标准输出失败：%1")
                        .arg(code != 0 ? io::rendered(io::systemErrorReason(code))
                                       : QCoreApplication::translate("CommandLine", "原因不明")));
    }
    return kSuccess;
}

enum class Command { Chart, Freeze, List, Export, File };

struct Options {
    const QCommandLineOption method{
        QStringLiteral("method"),
        QcCommand::tr("chart、freeze：方法名称（按方法归档的批次）；file：先应用的方法文件"
                      "（.lumetra-method），与 lumetra report 相同。"),
        QStringLiteral("NAME|FILE")};
    const QCommandLineOption analyte{QStringLiteral("analyte"),
                                     QcCommand::tr("分析项目（未用方法文件归档的批次）。"),
                                     QStringLiteral("NAME")};
    const QCommandLineOption series{
        QStringLiteral("series"),
        QcCommand::tr("质控序列：check:标称浓度、reference:名称、spike、duplicate、blank、"
                      "slope 或 intercept。"),
        QStringLiteral("S")};
    const QCommandLineOption rules{QStringLiteral("rules"),
                                   QcCommand::tr("判断规则：gb（GB/T 17989.2，默认）或 westgard。"),
                                   QStringLiteral("gb|westgard")};
    const QCommandLineOption sigma{QStringLiteral("sigma"),
                                   QcCommand::tr("σ估计：sd（标准偏差，默认）或 mr（移动极差）。"),
                                   QStringLiteral("sd|mr")};
    const QCommandLineOption reference{
        QStringLiteral("reference"),
        QcCommand::tr("参考期：前N个点（默认20，至少7），或日期范围 2026-01-01..2026-03-31。"),
        QStringLiteral("N|FROM..TO")};
    const QCommandLineOption unfrozen{
        QStringLiteral("unfrozen"), QcCommand::tr("不用冻结的控制限，按参考期重新计算（chart）。")};
    const QCommandLineOption json{QStringLiteral("json"), QcCommand::tr("以 JSON 输出。")};
    const QCommandLineOption database{
        QStringLiteral("database"),
        QcCommand::tr("质控数据库：sqlite:文件 或 postgresql://用户@主机:端口/数据库；"
                      "不给时用 LUMETRA_DATABASE、设置中的质控数据库或本机的默认文件。"),
        QStringLiteral("URL")};
    // Read by main() before the application exists; checked here with the others.
    const QCommandLineOption language{QStringLiteral("lang"),
                                      QcCommand::tr("帮助和消息的语言：zh 或 en。"),
                                      QStringLiteral("zh|en")};

    // `qc file` takes the report's options (those of the same name above stand for them).
    const ReportOptions report;

    std::vector<const QCommandLineOption*> all() const {
        std::vector<const QCommandLineOption*> options{&method,   &analyte,   &series,   &rules,
                                                       &sigma,    &reference, &unfrozen, &json,
                                                       &database, &language};
        for (const QCommandLineOption* option : reportOnly()) {
            options.push_back(option);
        }
        return options;
    }
    // The report's options that have no namesake above.
    std::vector<const QCommandLineOption*> reportOnly() const {
        std::vector<const QCommandLineOption*> options;
        for (const QCommandLineOption* option : report.all()) {
            const QString name = option->names().first();
            if (name != method.names().first() && name != json.names().first() &&
                name != database.names().first() && name != language.names().first()) {
                options.push_back(option);
            }
        }
        return options;
    }
    // The options each command takes beside --database and --lang.
    std::vector<const QCommandLineOption*> of(Command command) const {
        switch (command) {
        case Command::Chart:
            return {&method, &analyte, &series, &rules, &sigma, &reference, &unfrozen, &json};
        case Command::Freeze:
            return {&method, &analyte, &series, &sigma, &reference, &json};
        case Command::List:
            return {&json};
        case Command::Export:
            return {};
        case Command::File: {
            // What the report takes, but a PDF: the filing prints the batch instead.
            std::vector<const QCommandLineOption*> taken{&method, &json};
            for (const QCommandLineOption* option : reportOnly()) {
                if (option != &report.pdf && option != &report.history) {
                    taken.push_back(option);
                }
            }
            return taken;
        }
        }
        return {};
    }
};

struct CommandName {
    const char* word;
    Command command;
    int files; // positional arguments after the command's word
};
constexpr std::array<CommandName, 5> kCommands{{
    {"chart", Command::Chart, 0},
    {"freeze", Command::Freeze, 0},
    {"list", Command::List, 0},
    {"export", Command::Export, 1},
    {"file", Command::File, 1},
}};

// One of `keys`, or the usage error naming the option and what it accepts (as `report` says it).
template <typename T, std::size_t N>
std::optional<T> choiceOf(const QCommandLineParser& parser, const QCommandLineOption& option,
                          std::optional<T> (*parse)(std::string_view),
                          const std::array<const char*, N>& keys, T fallback, QString& error) {
    if (!parser.isSet(option)) {
        return fallback;
    }
    const QString value = parser.value(option);
    if (const std::optional<T> chosen = parse(value.toStdString())) {
        return chosen;
    }
    QStringList allowed;
    for (const char* key : keys) {
        allowed << QString::fromLatin1(key);
    }
    error = QCoreApplication::translate("CommandLine", "--%1 的值“%2”无效，应为 %3")
                .arg(option.names().first(), value,
                     allowed.join(QCoreApplication::translate(
                         "CommandLine", "、", "between the values an option accepts")));
    return std::nullopt;
}

// The database the options name, else the configured one; or the usage error.
std::variant<records::DatabaseUrl, QString> databaseOf(const QCommandLineParser& parser,
                                                       const Options& o) {
    if (parser.isSet(o.database)) {
        auto url = records::parseDatabaseUrl(io::toDocument(parser.value(o.database)));
        if (const auto* why = std::get_if<calibration::Message>(&url)) {
            return QStringLiteral("--database：") + rendered(*why);
        }
        return std::get<records::DatabaseUrl>(url);
    }
    auto url = records::configuredDatabase();
    if (const auto* why = std::get_if<calibration::Message>(&url)) {
        return rendered(*why);
    }
    return std::get<records::DatabaseUrl>(url);
}

// The database opened; the commands only read or append, so a file that is not there is an
// error (a mistyped name), never a new empty database.
std::variant<std::unique_ptr<records::Store>, QString>
openDatabase(const QCommandLineParser& parser, const Options& o) {
    auto url = databaseOf(parser, o);
    if (const QString* why = std::get_if<QString>(&url)) {
        return *why;
    }
    const records::DatabaseUrl& chosen = std::get<records::DatabaseUrl>(url);
    if (records::missingFile(chosen)) {
        return QcCommand::tr("质控数据库 %1 不存在（尚未归档任何批次，或文件名有误）")
            .arg(io::fromDocument(records::databaseText(chosen)));
    }
    auto store = records::openStore(chosen);
    if (!store) {
        return rendered(store.fault().message);
    }
    return std::move(store).value();
}

// --- output ---

void appendJson(std::string& out, std::string_view text) {
    calibration::appendJsonString(out, text);
}
void appendJson(std::string& out, const std::optional<double>& value) {
    if (value && std::isfinite(*value)) {
        calc::appendNumber(out, *value, calc::NumberStyle::shortestRoundTrip());
    } else {
        out += "null";
    }
}
std::string number(const std::optional<double>& value) {
    return value && std::isfinite(*value)
               ? calc::formatNumber(*value, calc::NumberStyle::shortestRoundTrip())
               : std::string();
}
// A user's text in a tab-separated cell: no control character splits the line.
std::string cell(const std::string& text) {
    return calibration::textCell(calibration::ReportValue::ofText(text));
}

std::string violationKeys(const std::vector<const calc::ChartRule*>& rules, const char* between) {
    std::string keys;
    for (const calc::ChartRule* rule : rules) {
        keys += keys.empty() ? "" : between;
        keys += rule->key;
    }
    return keys;
}

// {"method": ..., "series": ..., "unit": ..., "rules": ..., "sigma": ..., "centre": ..., "s": ...,
//  "limits": {"one_s": [low, high], "warning": [...], "action": [...]},
//  "reference": {"n", "from", "to", "frozen"}, "points": [{"batch", "date", "value",
//  "violations": [keys]}]}; "method" is null for a chart of an analyte.
std::string chartJson(const records::SeriesChart& chart) {
    const calc::ChartLimits& limits = chart.chart.limits;
    const calc::ReferenceSummary& reference = chart.chart.reference;
    std::string out = "{\n    \"method\": ";
    if (chart.group.method.empty()) {
        out += "null";
    } else {
        appendJson(out, chart.group.method);
    }
    out += ",\n    \"series\": ";
    appendJson(out, chart.series);
    out += ",\n    \"unit\": ";
    appendJson(out, chart.unit);
    out += ",\n    \"rules\": \"";
    out += calc::ruleSetKey(chart.rules);
    out += "\",\n    \"sigma\": \"";
    out += calc::sigmaKey(chart.sigma);
    out += "\",\n    \"centre\": ";
    appendJson(out, limits.centre);
    out += ",\n    \"s\": ";
    appendJson(out, limits.s);
    out += ",\n    \"limits\": {";
    const std::pair<const char*, const calc::ChartBand*> bands[] = {
        {"one_s", &limits.oneS}, {"warning", &limits.warning}, {"action", &limits.action}};
    for (std::size_t i = 0; i < std::size(bands); ++i) {
        out += i == 0 ? "\"" : ", \"";
        out += bands[i].first;
        out += "\": [";
        appendJson(out, bands[i].second->low);
        out += ", ";
        appendJson(out, bands[i].second->high);
        out += ']';
    }
    out += "},\n    \"reference\": {\"n\": " + std::to_string(reference.n) + ", \"from\": ";
    appendJson(out, reference.from);
    out += ", \"to\": ";
    appendJson(out, reference.to);
    out += reference.frozen ? ", \"frozen\": true},\n" : ", \"frozen\": false},\n";
    out += "    \"points\": [";
    for (std::size_t i = 0; i < chart.points.size(); ++i) {
        const records::SeriesPoint& point = chart.points[i];
        out += i == 0 ? "\n        " : ",\n        ";
        out += "{\"batch\": " + std::to_string(point.batch) + ", \"date\": ";
        appendJson(out, point.date);
        out += ", \"value\": ";
        appendJson(out, point.value);
        out += ", \"violations\": [";
        const auto& rules = chart.chart.violations[i];
        for (std::size_t k = 0; k < rules.size(); ++k) {
            out += k == 0 ? "\"" : ", \"";
            out += rules[k]->key;
            out += '"';
        }
        out += "]}";
    }
    out += chart.points.empty() ? "]\n}\n" : "\n    ]\n}\n";
    return out;
}

std::string groupLine(const records::ChartGroup& group) {
    return group.method.empty() ? "analyte\t" + cell(group.analyte) + "\n"
                                : "method\t" + cell(group.method) + "\n";
}

// Key TAB value lines, an empty line, then the points' header and one point a line.
std::string chartText(const records::SeriesChart& chart) {
    const calc::ChartLimits& limits = chart.chart.limits;
    const calc::ReferenceSummary& reference = chart.chart.reference;
    std::string out = groupLine(chart.group);
    out += "series\t" + cell(chart.series) + "\n";
    out += "unit\t" + cell(chart.unit) + "\n";
    out += std::string("rules\t") + calc::ruleSetKey(chart.rules) + "\n";
    out += std::string("sigma\t") + calc::sigmaKey(chart.sigma) + "\n";
    out += "centre\t" + number(limits.centre) + "\n";
    out += "s\t" + number(limits.s) + "\n";
    out += "one_s\t" + number(limits.oneS.low) + "\t" + number(limits.oneS.high) + "\n";
    out += "warning\t" + number(limits.warning.low) + "\t" + number(limits.warning.high) + "\n";
    out += "action\t" + number(limits.action.low) + "\t" + number(limits.action.high) + "\n";
    out += "reference_n\t" + std::to_string(reference.n) + "\n";
    out += "reference_from\t" + reference.from + "\n";
    out += "reference_to\t" + reference.to + "\n";
    out += std::string("frozen\t") + (reference.frozen ? "true" : "false") + "\n";
    out += "other_units\t" + std::to_string(chart.otherUnits) + "\n";
    out += "\nbatch\tdate\tvalue\tviolations\n";
    for (std::size_t i = 0; i < chart.points.size(); ++i) {
        const records::SeriesPoint& point = chart.points[i];
        out += std::to_string(point.batch) + "\t" + cell(point.date) + "\t" + number(point.value) +
               "\t" + violationKeys(chart.chart.violations[i], ",") + "\n";
    }
    return out;
}

std::string frozenText(const records::FrozenRecord& f, bool json) {
    const records::ChartGroup& group = f.group;
    if (!json) {
        std::string out = "frozen\t" + std::to_string(f.id) + "\n" + groupLine(group);
        out += "series\t" + cell(f.series) + "\nsigma\t" + f.sigma + "\n";
        out += "centre\t" + number(f.centre) + "\ns\t" + number(f.s) + "\n";
        out += "reference_n\t" + std::to_string(f.referenceN) + "\n";
        out += "reference_from\t" + f.referenceFrom + "\nreference_to\t" + f.referenceTo + "\n";
        out += "frozen_by\t" + cell(f.frozenBy) + "\nfrozen_at\t" + cell(f.frozenAt) + "\n";
        return out;
    }
    std::string out = "{\"frozen\": " + std::to_string(f.id) + ", \"method\": ";
    group.method.empty() ? void(out += "null") : appendJson(out, group.method);
    out += ", \"analyte\": ";
    group.method.empty() ? appendJson(out, group.analyte) : void(out += "null");
    out += ", \"series\": ";
    appendJson(out, f.series);
    out += ", \"sigma\": ";
    appendJson(out, f.sigma);
    out += ", \"centre\": ";
    appendJson(out, f.centre);
    out += ", \"s\": ";
    appendJson(out, f.s);
    out += ", \"reference\": {\"n\": " + std::to_string(f.referenceN) + ", \"from\": ";
    appendJson(out, f.referenceFrom);
    out += ", \"to\": ";
    appendJson(out, f.referenceTo);
    out += "}, \"frozen_by\": ";
    appendJson(out, f.frozenBy);
    out += ", \"frozen_at\": ";
    appendJson(out, f.frozenAt);
    out += "}\n";
    return out;
}

std::string listText(const std::vector<records::GroupSummary>& groups, bool json) {
    std::string out;
    if (!json) {
        out = "group\tname\tbatches\tseries\tpoints\n";
        for (const records::GroupSummary& g : groups) {
            const std::string head = (g.group.method.empty() ? "analyte\t" + cell(g.group.analyte)
                                                             : "method\t" + cell(g.group.method)) +
                                     "\t" + std::to_string(g.batches) + "\t";
            if (g.series.empty()) {
                out += head + "\t\n";
            }
            for (const records::SeriesCount& s : g.series) {
                out += head + cell(s.series) + "\t" + std::to_string(s.points) + "\n";
            }
        }
        return out;
    }
    out = "{\"groups\": [";
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const records::GroupSummary& g = groups[i];
        out += i == 0 ? "\n    {\"method\": " : ",\n    {\"method\": ";
        g.group.method.empty() ? void(out += "null") : appendJson(out, g.group.method);
        out += ", \"analyte\": ";
        g.group.method.empty() ? appendJson(out, g.group.analyte) : void(out += "null");
        out += ", \"batches\": " + std::to_string(g.batches) + ", \"series\": [";
        for (std::size_t k = 0; k < g.series.size(); ++k) {
            out += k == 0 ? "{\"series\": " : ", {\"series\": ";
            appendJson(out, g.series[k].series);
            out += ", \"points\": " + std::to_string(g.series[k].points) + "}";
        }
        out += "]}";
    }
    out += groups.empty() ? "]}\n" : "\n]}\n";
    return out;
}

// --- the commands ---

// The chart's request from the options; the first usage error.
std::variant<records::ChartRequest, QString> requestOf(const QCommandLineParser& parser,
                                                       const Options& o) {
    records::ChartRequest request;
    if (parser.isSet(o.method) == parser.isSet(o.analyte)) {
        return QcCommand::tr("需要 --method 或 --analyte 之一");
    }
    if (parser.isSet(o.method)) {
        request.group.method = io::toDocument(parser.value(o.method));
    } else {
        request.group.analyte = io::toDocument(parser.value(o.analyte));
    }
    if (!parser.isSet(o.series)) {
        return QcCommand::tr("需要 --series");
    }
    request.series = io::toDocument(parser.value(o.series));
    if (!records::seriesKey(request.series)) {
        return QcCommand::tr("--series 的值“%1”无效，应为 check:标称浓度、reference:名称、spike、"
                             "duplicate、blank、slope 或 intercept")
            .arg(parser.value(o.series));
    }
    QString error;
    static constexpr std::array<const char*, 2> ruleKeys{"gb", "westgard"};
    static constexpr std::array<const char*, 2> sigmaKeys{"sd", "mr"};
    const auto rules =
        choiceOf(parser, o.rules, &calc::parseRuleSet, ruleKeys, calc::RuleSet::Gb, error);
    const auto sigma = choiceOf(parser, o.sigma, &calc::parseSigma, sigmaKeys,
                                calc::SigmaEstimate::StandardDeviation, error);
    if (!rules || !sigma) {
        return error;
    }
    request.rules = *rules;
    request.sigma = *sigma;
    if (parser.isSet(o.reference)) {
        const auto period = calc::parseReference(parser.value(o.reference).toStdString());
        if (const auto* refusal = std::get_if<calc::ChartRefusal>(&period)) {
            return QcCommand::tr("--reference 的值“%1”无效：%2")
                .arg(parser.value(o.reference),
                     rendered(calibration::Message(calc::refusalText(*refusal))));
        }
        request.reference = std::get<calc::ReferencePeriod>(period);
    }
    request.useFrozen = !parser.isSet(o.unfrozen);
    return request;
}

int failedChart(const records::ChartFailure& failure) {
    return fail(failure.kind == records::ChartFailure::Kind::Data ? kCannotFit : kFailure,
                rendered(failure.message));
}

int chart(const QCommandLineParser& parser, const Options& o, records::Store& store,
          const records::ChartRequest& request) {
    auto chart = records::readChart(store, request);
    if (const auto* failure = std::get_if<records::ChartFailure>(&chart)) {
        return failedChart(*failure);
    }
    const auto& drawn = std::get<records::SeriesChart>(chart);
    return succeedWith(parser.isSet(o.json) ? chartJson(drawn) : chartText(drawn));
}

// The limits of the reference period stored as the series' frozen limits, then read back as
// stored (with who and when).
int freeze(const QCommandLineParser& parser, const Options& o, records::Store& store,
           records::ChartRequest request) {
    request.useFrozen = false;
    auto chart = records::readChart(store, request);
    if (const auto* failure = std::get_if<records::ChartFailure>(&chart)) {
        return failedChart(*failure);
    }
    const auto id = store.freeze(records::frozenRecordOf(std::get<records::SeriesChart>(chart)));
    if (!id) {
        return fail(kFailure, rendered(id.fault().message));
    }
    const auto stored =
        store.frozenLimits(request.group, std::get<records::SeriesChart>(chart).series);
    if (!stored || !stored.value()) {
        return fail(kFailure, stored ? QcCommand::tr("冻结的控制限未能读回")
                                     : rendered(stored.fault().message));
    }
    return succeedWith(frozenText(*stored.value(), parser.isSet(o.json)));
}

int list(const QCommandLineParser& parser, const Options& o, records::Store& store) {
    const auto groups = store.catalogue();
    if (!groups) {
        return fail(kFailure, rendered(groups.fault().message));
    }
    return succeedWith(listText(groups.value(), parser.isSet(o.json)));
}

int exportCsv(records::Store& store, const QString& path) {
    if (const auto fault = store.exportCsv(io::toDocument(path))) {
        return fail(kFailure, rendered(fault->message));
    }
    return kSuccess;
}

// Files what `lumetra report` with the same arguments reports, into the database the options
// name (else the configured one), judged against its frozen charts only when --database or
// LUMETRA_DATABASE names it, as the report is; prints the batch's id, or {"batch", "duplicate",
// "supersedes"}. A batch filed already files nothing and exits 0, saying so on standard error.
int fileBatch(const QCommandLineParser& parser, const Options& o, const QString& file) {
    auto named = namedDatabase(parser, o.database);
    if (const QString* why = std::get_if<QString>(&named)) {
        return fail(kFailure, *why);
    }
    auto url = databaseOf(parser, o);
    if (const QString* why = std::get_if<QString>(&url)) {
        return fail(kFailure, *why);
    }
    const records::DatabaseUrl& target = std::get<records::DatabaseUrl>(url);
    // Opened before the report only to judge (the database named, and there already): a run that
    // fails leaves no new empty database behind.
    std::unique_ptr<records::Store> store;
    const auto open = [&]() -> std::optional<QString> {
        auto opened = records::openStore(target);
        if (!opened) {
            return rendered(opened.fault().message);
        }
        store = std::move(opened).value();
        return std::nullopt;
    };
    const bool judged = std::get<std::optional<records::DatabaseUrl>>(named).has_value();
    if (judged && !records::missingFile(target)) {
        if (const auto why = open()) {
            return fail(kFailure, *why);
        }
    }
    auto prepared = prepareReport(parser, o.report, file, false, store.get());
    if (const int* code = std::get_if<int>(&prepared)) {
        return *code;
    }
    if (!store) {
        if (const auto why = open()) {
            return fail(kFailure, *why);
        }
    }
    const auto& [document, results, read] = std::get<ReportRun>(prepared);
    const records::BatchRecord record =
        records::batchRecord(document, results, io::batchIdentity(document),
                             io::toDocument(QFileInfo(file).absoluteFilePath()));
    const auto filed = records::fileBatch(*store, record);
    if (!filed) {
        return fail(kFailure, rendered(filed.fault().message));
    }
    if (filed->duplicate) {
        fail(kSuccess, QcCommand::tr("此批次已归档（批次 %1）").arg(filed->batch));
    }
    std::string out;
    if (parser.isSet(o.json)) {
        out = "{\"batch\": " + std::to_string(filed->batch) +
              ", \"duplicate\": " + (filed->duplicate ? "true" : "false") + ", \"supersedes\": " +
              (filed->supersedes ? std::to_string(*filed->supersedes) : std::string("null")) +
              "}\n";
    } else {
        out = std::to_string(filed->batch) + "\n";
    }
    const int code = succeedWith(out);
    // Filed, and a failed quality rule counted as the report counts it.
    if (code == kSuccess && parser.isSet(o.report.strict) && strictFails(results)) {
        return kQualityFailed;
    }
    return code;
}

QString usageLine() {
    return QcCommand::tr("用法：lumetra qc chart|freeze|list|export|file，见 lumetra qc --help");
}

} // namespace

bool isQcCommand(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--lang" && i + 1 < arguments.size()) {
            ++i;
        } else if (!argument.startsWith(u"--lang=")) {
            return argument == u"qc";
        }
    }
    return false;
}

QString qcCommandsHelp() {
    return QcCommand::tr(
        "qc chart      质控图：--method NAME 或 --analyte NAME，--series S（见 lumetra qc "
        "--help）。\n"
        "qc freeze     按参考期冻结控制限。\n"
        "qc list       数据库中的方法、分析项目及其质控序列和点数。\n"
        "qc export OUT.csv   导出全部记录（备份）。\n"
        "qc file FILE  归档一个批次：与 lumetra report FILE 相同的选项，输出批次编号。");
}

int runQcCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QcCommand::tr("Lumetra 的质控数据库：归档批次的质控点和质控图。\n\n") + qcCommandsHelp() +
        QcCommand::tr("\n\n退出码：0 成功（file：已归档过的批次也是0）；1 现有的点画不出质控图"
                      "（没有点、参考期不足7个点、数值全部相同），\n或 file 的标准曲线无法拟合；"
                      "2 其他错误（用法、数据库、文件）；\n3 file 使用 --strict 且有质控规则"
                      "未通过或未判定（批次已归档）。"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const Options options;
    for (const QCommandLineOption* option : options.all()) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument(QStringLiteral("qc"), QcCommand::tr("命令：qc"),
                                 QStringLiteral("qc"));
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QcCommand::tr("chart、freeze、list、export 或 file"));
    if (!parser.parse(arguments)) {
        return fail(kFailure, parser.errorText());
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        return succeedWith(parser.helpText().toStdString());
    }
    for (const QCommandLineOption* option : options.all()) {
        if (!option->valueName().isEmpty() && parser.isSet(*option) &&
            parser.value(*option).isEmpty()) {
            return fail(kFailure,
                        QCoreApplication::translate("CommandLine", "--%1 需要一个值（%2）")
                            .arg(option->names().first(), option->valueName()));
        }
    }
    const QString language = parser.value(options.language);
    if (parser.isSet(options.language) && language != u"zh" && language != u"en") {
        return fail(kFailure,
                    QCoreApplication::translate("CommandLine", "--%1 的值“%2”无效，应为 %3")
                        .arg(QStringLiteral("lang"), language,
                             QStringLiteral("zh") +
                                 QCoreApplication::translate(
                                     "CommandLine", "、", "between the values an option accepts") +
                                 QStringLiteral("en")));
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2) {
        return fail(kFailure, QcCommand::tr("缺少 qc 的命令（%1）").arg(usageLine()));
    }
    const CommandName* named = nullptr;
    for (const CommandName& c : kCommands) {
        if (positional[1] == QLatin1StringView(c.word)) {
            named = &c;
        }
    }
    if (named == nullptr) {
        return fail(kFailure,
                    QcCommand::tr("未知的 qc 命令“%1”（%2）").arg(positional[1], usageLine()));
    }
    if (positional.size() != 2 + named->files) {
        return fail(kFailure, positional.size() < 2 + named->files
                                  ? (named->command == Command::File
                                         ? QcCommand::tr("qc file 需要一个文件（用法：lumetra qc "
                                                         "file FILE）")
                                         : QcCommand::tr("qc export 需要一个输出文件（用法："
                                                         "lumetra qc export OUT.csv）"))
                                  : QCoreApplication::translate("CommandLine", "多余的参数“%1”")
                                        .arg(positional[2 + named->files]));
    }
    // An option the command does not take is a mistake, not something to ignore.
    const std::vector<const QCommandLineOption*> taken = options.of(named->command);
    for (const QCommandLineOption* option : options.all()) {
        if (option != &options.database && option != &options.language && parser.isSet(*option) &&
            std::find(taken.begin(), taken.end(), option) == taken.end()) {
            return fail(kFailure,
                        QcCommand::tr("qc %1 不接受 --%2")
                            .arg(QLatin1StringView(named->word), option->names().first()));
        }
    }

    std::optional<records::ChartRequest> request;
    if (named->command == Command::Chart || named->command == Command::Freeze) {
        auto made = requestOf(parser, options);
        if (const QString* usage = std::get_if<QString>(&made)) {
            return fail(kFailure, *usage);
        }
        request = std::get<records::ChartRequest>(std::move(made));
    }
    if (named->command == Command::File) {
        return fileBatch(parser, options, positional[2]);
    }
    auto opened = openDatabase(parser, options);
    if (const QString* why = std::get_if<QString>(&opened)) {
        return fail(kFailure, *why);
    }
    records::Store& store = *std::get<std::unique_ptr<records::Store>>(opened);
    switch (named->command) {
    case Command::Chart:
        return chart(parser, options, store, *request);
    case Command::Freeze:
        return freeze(parser, options, store, *request);
    case Command::List:
        return list(parser, options, store);
    case Command::Export:
        return exportCsv(store, positional[2]);
    case Command::File:
        break; // opened above
    }
    return kFailure;
}

} // namespace app
