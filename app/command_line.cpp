#include "app/command_line.h"

#include "analysis/report.h"
#include "app/qc_command.h"
#include "calc/full_precision.h"
#include "calc/number_text.h"
#include "calibration/entries.h"
#include "calibration/keys.h"
#include "calibration/method.h"
#include "calibration/report.h"
#include "calibration/results.h"
#include "calibration/text.h"
#include "io/calibration.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/document_text.h"
#include "io/files.h"
#include "io/method_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <tuple>
#include <unordered_set>
#include <vector>

namespace app {

namespace {

// The command line's texts, translated in the context "CommandLine".
struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// One line whatever the message holds: a control character left in it (one of an argument in
// Qt's usage error) becomes a blank; quoted texts and file names show theirs as codes.
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

// The output and the end of the run. Every write, the flush and the close of standard output
// are checked: output lost on a full disk, into a closed or read-only descriptor, or into a pipe
// whose reader has gone while SIGPIPE is ignored is a failure, never a silent success. With
// SIGPIPE at its default the write ends the process, as it does every tool. `write` is handed a
// writer of pieces and returns whether each was written; the first failure stops it.
int succeedWith(const std::function<bool(const calibration::ReportWriter&)>& write) {
    errno = 0;
    int error = 0;
    const calibration::ReportWriter piece = [&error](std::string_view bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) {
            return true;
        }
        error = errno;
        return false;
    };
    const bool written = write(piece);
    if (!written || std::fflush(stdout) != 0 || std::fclose(stdout) != 0) {
        const int code = error != 0 ? error : errno;
        return fail(kFailure, CommandLine::tr("写入标准输出失败：%1")
                                  .arg(code != 0 ? io::systemErrorReason(code)
                                                 : CommandLine::tr("原因不明")));
    }
    return kSuccess;
}

int succeedWith(const std::string& bytes) {
    return succeedWith([&bytes](const calibration::ReportWriter& write) { return write(bytes); });
}

// "standards.csv：第3行：…": the file, then what went wrong in it.
QString inFile(const QString& file, const QString& what) {
    return CommandLine::tr("%1：%2", "a file, then what went wrong in it")
        .arg(io::shownPath(file), what);
}

QString located(const QString& file, const calibration::Message& place,
                const calibration::Message& reason) {
    return inFile(file, io::fromDocument(calibration::render(calibration::located(place, reason))));
}

QString rendered(const calibration::Message& message) {
    return io::fromDocument(calibration::render(message));
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

// The files a run read, each with the SHA-256 of its bytes, for the PDF's record; gathered only
// when `wanted` (hashing 8 MiB takes longer than reporting them).
struct ReadFiles {
    bool wanted = false;
    std::vector<std::pair<QString, QString>> files;
};

// A file read once, parsed from the bytes that were hashed; the error names the file.
template <typename T>
io::Expected<T> readHashed(const QString& path, io::Expected<T> (*parse)(const QByteArray&),
                           const QString& label, ReadFiles& read) {
    const io::Expected<QByteArray> bytes = io::readFileLimited(path);
    if (!bytes) {
        return bytes.error();
    }
    if (read.wanted) {
        read.files.push_back({label, analysis::sha256Hex(bytes.value())});
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

// The settings a run's options replace, each checked: a value that does not exist is a usage
// error.
struct Options {
    const QCommandLineOption samples{QStringLiteral("samples"),
                                     CommandLine::tr("样品的 CSV 文件（名称、读数、稀释倍数……），"
                                                     "取代 .lumetra 文件中的样品。"),
                                     QStringLiteral("SAMPLES.csv")};
    const QCommandLineOption blanks{
        QStringLiteral("blanks"),
        CommandLine::tr("空白的 CSV 文件：每行一个空白的读数，加入样品列表。"),
        QStringLiteral("BLANKS.csv")};
    const QCommandLineOption json{QStringLiteral("json"),
                                  CommandLine::tr("以 JSON 输出，键与制表符报告相同。")};
    const QCommandLineOption model{QStringLiteral("model"),
                                   CommandLine::tr("校准模型：line（直线）、origin（过原点）或 "
                                                   "quadratic（二次）。"),
                                   QStringLiteral("MODEL")};
    const QCommandLineOption weight{QStringLiteral("weight"),
                                    CommandLine::tr("权重：none、1/x、1/x2、1/y、1/y2 或 1/s2。"),
                                    QStringLiteral("WEIGHT")};
    const QCommandLineOption exclude{QStringLiteral("exclude"),
                                     CommandLine::tr("排除的标准点（从1起的序号，逗号分隔），"
                                                     "取代文件中的排除。"),
                                     QStringLiteral("3,7")};
    const QCommandLineOption level{QStringLiteral("level"), CommandLine::tr("置信水平：95 或 99。"),
                                   QStringLiteral("LEVEL")};
    const QCommandLineOption alpha{QStringLiteral("alpha"),
                                   CommandLine::tr("DIN 32645 的 α：0.05 或 0.01。"),
                                   QStringLiteral("ALPHA")};
    const QCommandLineOption k{QStringLiteral("k"),
                               CommandLine::tr("DIN 32645 定量限的 k（1到10）。"),
                               QStringLiteral("K")};
    const QCommandLineOption m{QStringLiteral("m"),
                               CommandLine::tr("每个样品的读数次数 m（1到100）。"),
                               QStringLiteral("M")};
    const QCommandLineOption limit{QStringLiteral("limit"),
                                   CommandLine::tr("报告检出限：lod、xd 或 mdl。"),
                                   QStringLiteral("LIMIT")};
    const QCommandLineOption volume{
        QStringLiteral("volume"),
        CommandLine::tr(
            "取样量 V（不小于2.2250738585072014e-308的正数）：结果 = x0·稀释倍数·f/V。"),
        QStringLiteral("V")};
    const QCommandLineOption factor{
        QStringLiteral("factor"),
        CommandLine::tr("换算系数 f（不小于2.2250738585072014e-308的正数）。"),
        QStringLiteral("F")};
    const QCommandLineOption resultUnit{QStringLiteral("result-unit"),
                                        CommandLine::tr("结果单位，例如 mg/L。"),
                                        QStringLiteral("UNIT")};
    const QCommandLineOption digits{QStringLiteral("digits"),
                                    CommandLine::tr("结果的有效数字位数（1到15）。"),
                                    QStringLiteral("N")};
    const QCommandLineOption decimals{QStringLiteral("decimals"),
                                      CommandLine::tr("结果的小数位数（0到15）。"),
                                      QStringLiteral("N")};
    const QCommandLineOption switchAt{
        QStringLiteral("switch-at"),
        CommandLine::tr("修约切换值 T（大于0）：结果低于 T 时按 --decimals 的小数位数，"
                        "不低于 T 时按 --digits 的有效数字；须同时给出这两项。"),
        QStringLiteral("T")};
    const QCommandLineOption below{
        QStringLiteral("below"),
        CommandLine::tr("低于检出限时：nd（未检出）、lt（<检出限）或 L（检出限后加L）。"),
        QStringLiteral("nd|lt|L")};
    const QCommandLineOption blankAbsorbanceMax{
        QStringLiteral("blank-absorbance-max"),
        CommandLine::tr("空白的平均吸光度（校正前）上限，0到10；不给时不判定。"),
        QStringLiteral("A")};
    const QCommandLineOption method{
        QStringLiteral("method"),
        CommandLine::tr("先应用此方法文件（.lumetra-method）的设置，再应用其他选项。"),
        QStringLiteral("FILE")};
    const QCommandLineOption blankCorrection{
        QStringLiteral("blank-correction"),
        CommandLine::tr("空白校正：标准点减去零浓度标准点的"
                        "平均吸光度，样品减去空白的平均吸光度。")};
    const QCommandLineOption strict{QStringLiteral("strict"),
                                    CommandLine::tr("有质控规则未通过或未判定时退出码为3。")};
    const QCommandLineOption pdf{QStringLiteral("pdf"),
                                 CommandLine::tr("把报告写成 PDF 文件（与窗口的“导出PDF…”相同，"
                                                 "含各输入文件的 SHA-256），不输出到标准输出。"),
                                 QStringLiteral("OUT.pdf")};
    const QCommandLineOption history{QStringLiteral("history"),
                                     CommandLine::tr("PDF 报告附修改记录（与 --pdf 同用）。")};
    // Read by main() before the application exists; checked here with the others.
    const QCommandLineOption language{
        QStringLiteral("lang"),
        CommandLine::tr("帮助和消息的语言：zh（中文）或 en（英文）；不给时用窗口中选定的语言。"),
        QStringLiteral("zh|en")};

    std::vector<const QCommandLineOption*> all() const {
        return {&samples,         &blanks,   &method,     &json,
                &model,           &weight,   &exclude,    &level,
                &alpha,           &k,        &m,          &limit,
                &volume,          &factor,   &resultUnit, &digits,
                &decimals,        &switchAt, &below,      &blankAbsorbanceMax,
                &blankCorrection, &strict,   &pdf,        &history,
                &language};
    }

    // The options that change the result, as the PDF prints them beside the files' SHA-256.
    QStringList changing(const QCommandLineParser& parser) const {
        QStringList given;
        for (const QCommandLineOption* option :
             {&method, &model, &weight, &exclude, &level, &alpha, &k, &m, &limit, &volume, &factor,
              &resultUnit, &digits, &decimals, &switchAt, &below, &blankAbsorbanceMax,
              &blankCorrection}) {
            if (parser.isSet(*option)) {
                const QString name = QStringLiteral("--") + option->names().first();
                given << (option->valueName().isEmpty() ? name
                                                        : name + u' ' + parser.value(*option));
            }
        }
        return given;
    }
};

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
std::optional<QString> applyOptions(const QCommandLineParser& parser, const Options& o,
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
                         QString::fromStdString(calc::fullPrecision(calibration::kSmallestScale)),
                         QString::fromStdString(calc::fullPrecision(calibration::kLargestScale)));
        }
        *text = value;
    }
    if (parser.isSet(o.resultUnit)) {
        s.resultUnit = io::toDocument(parser.value(o.resultUnit));
    }
    if (parser.isSet(o.blankCorrection)) {
        s.blankCorrection = true;
    }
    if (!error.isEmpty()) {
        return error;
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

// A file the run reads, with the option that names it ("" for the report's FILE).
struct InputFile {
    QString option;
    QString path;
};

std::vector<InputFile> inputsOf(const QCommandLineParser& parser, const Options& o,
                                const QString& file) {
    std::vector<InputFile> inputs{{QString(), file}};
    for (const QCommandLineOption* option : {&o.samples, &o.blanks}) {
        if (parser.isSet(*option)) {
            inputs.push_back({u"--"_qs + option->names().first(), parser.value(*option)});
        }
    }
    return inputs;
}

// Why the output that `option` names may not be written: it is one of the run's inputs, the same
// file (device and inode) by whatever path.
std::optional<QString> overwritesInput(const QString& option, const QString& output,
                                       const std::vector<InputFile>& inputs) {
    for (const InputFile& input : inputs) {
        if (io::sameFile(output, input.path)) {
            const QString named = input.option.isEmpty()
                                      ? io::shownPath(input.path)
                                      : input.option + u' ' + io::shownPath(input.path);
            return CommandLine::tr("--%1 的文件 %2 是输入文件（%3），不能覆盖")
                .arg(option, io::shownPath(output), named);
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

// The time the report is made: now, or SOURCE_DATE_EPOCH (seconds since 1970, as reproducible
// builds set it) when that is a whole number, so that a PDF can be made again identically.
QDateTime reportTime() {
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok && seconds >= 0 ? QDateTime::fromSecsSinceEpoch(seconds)
                              : QDateTime::currentDateTime();
}

// The report as a PDF at `path`, whole or not at all: an old file there stays when it fails.
int writePdf(const QCommandLineParser& parser, const Options& options, const QString& file,
             const ReadFiles& read, const calibration::Document& document,
             const calibration::Results& results) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return fail(kFailure, CommandLine::tr("--pdf 需要在图形应用中运行"));
    }
    analysis::ReportSource source;
    source.fileName = io::shownPath(QFileInfo(file).fileName());
    source.files = read.files;
    source.options = options.changing(parser);
    source.made = reportTime();
    source.history = parser.isSet(options.history);
    const QString path = parser.value(options.pdf);
    if (const auto error =
            analysis::saveReportPdf(path, analysis::reportContent(document, results, source))) {
        return fail(kFailure, CommandLine::tr("PDF导出失败：%1").arg(error->message()));
    }
    return kSuccess;
}

int report(const QCommandLineParser& parser, const Options& options, const QString& file) {
    if (parser.isSet(options.pdf) && parser.isSet(options.json)) {
        return fail(kFailure, CommandLine::tr("--pdf 和 --json 只能选一个"));
    }
    if (parser.isSet(options.history) && !parser.isSet(options.pdf)) {
        return fail(kFailure, CommandLine::tr("--history 只用于 --pdf"));
    }
    if (parser.isSet(options.pdf)) {
        const QString pdf = parser.value(options.pdf);
        if (pdf == u"-"_qs) {
            return fail(kFailure, CommandLine::tr("PDF不能写到标准输出"));
        }
        if (const auto problem =
                overwritesInput(QStringLiteral("pdf"), pdf, inputsOf(parser, options, file))) {
            return fail(kFailure, *problem);
        }
        // Refused before the report is made, and again as it is written.
        if (const auto error = io::checkWriteTarget(pdf)) {
            return fail(kFailure, CommandLine::tr("PDF导出失败：%1").arg(error->message()));
        }
    }
    calibration::Document document;
    ReadFiles read{parser.isSet(options.pdf), {}};
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
    // A standard that is not a number is a fault of the file, not of the data's spread.
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        const auto values = calibration::standardValues(document.standards[i]);
        if (const auto* problem = std::get_if<calibration::Message>(&values)) {
            return fail(kFailure, located(file, calibration::standardPlace(i), *problem));
        }
    }
    const calibration::Results results = calibration::evaluate(document);
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
    const int code = parser.isSet(options.pdf)
                         ? writePdf(parser, options, file, read, document, results)
                         : succeedWith([&](const calibration::ReportWriter& write) {
                               return parser.isSet(options.json)
                                          ? calibration::writeReportJson(document, results, write)
                                          : calibration::writeReportText(document, results, write);
                           });
    // A failed quality rule is reported, not a failure of the run, unless the script asks; a
    // rule that could not be judged is no pass, nor is a result beyond what can be computed.
    const auto beyondComputation = [&results] {
        return std::any_of(results.samples.begin(), results.samples.end(),
                           [](const calibration::SampleResult& sample) {
                               return !sample.result.value && sample.result.reason &&
                                      *sample.result.reason == calibration::outOfRange();
                           });
    };
    if (code == kSuccess && parser.isSet(options.strict) &&
        (results.batch.failed + results.batch.notJudged > 0 || beyondComputation())) {
        return kQualityFailed;
    }
    return code;
}

} // namespace

int runCommandLine(const QStringList& arguments) {
    if (isQcCommand(arguments)) {
        return runQcCommand(arguments);
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(CommandLine::tr(
        "Lumetra：光度分析标准曲线计算器。不带参数时打开窗口；lumetra FILE 在窗口中打开文件。\n\n"
        "report FILE   输出标准曲线的统计量、验证、各标准点和样品的报告（制表符分隔）。\n"
        "              FILE 为 .lumetra 标准曲线文件，或两列（浓度、吸光度）的 CSV 文件。\n"
        "              带 --pdf OUT.pdf 时写出可归档的 PDF 报告（无需显示器）。\n\n"
        "退出码：0 成功（质控未通过也是0，见 --strict）；1 无法拟合或斜率为0；\n"
        "2 其他错误（用法、文件、数值）；3 使用 --strict 且有质控规则未通过或未判定。"));
    parser.setApplicationDescription(parser.applicationDescription() + u"\n\n"_qs +
                                     qcCommandsHelp());
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const Options options;
    for (const QCommandLineOption* option : options.all()) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument(QStringLiteral("report"), CommandLine::tr("命令：report"),
                                 QStringLiteral("report"));
    parser.addPositionalArgument(QStringLiteral("FILE"), CommandLine::tr("标准曲线文件"));

    if (!parser.parse(arguments)) {
        return fail(kFailure, parser.errorText());
    }
    // The help lists --help-all beside --help; a run without windows has no Qt options to add.
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        return succeedWith(parser.helpText().toStdString());
    }
    if (parser.isSet(versionOption)) {
        return succeedWith((QCoreApplication::applicationName() + u' ' +
                            QCoreApplication::applicationVersion() + u'\n')
                               .toStdString());
    }
    // An option given an empty value ("--samples=") is a mistake, not a default.
    for (const QCommandLineOption* option : options.all()) {
        if (!option->valueName().isEmpty() && parser.isSet(*option) &&
            parser.value(*option).isEmpty()) {
            return fail(kFailure, CommandLine::tr("--%1 需要一个值（%2）")
                                      .arg(option->names().first(), option->valueName()));
        }
    }
    static constexpr std::array<const char*, 2> languages{"zh", "en"};
    QString languageError;
    choiceOf(parser, options.language, languages, languageError);
    if (!languageError.isEmpty()) {
        return fail(kFailure, languageError);
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional[0] != u"report"_qs) {
        return fail(kFailure, positional.isEmpty()
                                  ? CommandLine::tr("缺少命令（用法：lumetra report FILE）")
                                  : CommandLine::tr("未知的命令“%1”（用法：lumetra report FILE）")
                                        .arg(positional[0]));
    }
    if (positional.size() != 2) {
        return fail(kFailure,
                    positional.size() < 2
                        ? CommandLine::tr("report 需要一个文件（用法：lumetra report FILE）")
                        : CommandLine::tr("多余的参数“%1”").arg(positional[2]));
    }
    return report(parser, options, positional[1]);
}

} // namespace app
