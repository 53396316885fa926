#pragma once

// What `lumetra report` and `lumetra qc file` share: the report's options, and the document and
// its results that they make from FILE and those options, judged against the frozen control
// charts of a quality-control database when one is named. `qc file` files exactly what `report`
// with the same arguments reports.

#include "app/uncertainty_options.h"
#include "calibration/document.h"
#include "calibration/results.h"
#include "io/document_text.h"
#include "records/url.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace records {
class Store;
}

namespace app {

// The command line's texts, translated in the context "CommandLine".
struct CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// "lumetra: LINE" on standard error, one line whatever LINE holds (a control character left in
// it, one of an argument in Qt's usage error, becomes a blank); gives `code`.
int fail(int code, QString line);

using io::rendered;

// The report's options: the settings a run's options replace, each checked (a value that does
// not exist is a usage error), and what the run reads and writes.
struct ReportOptions {
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
    const QCommandLineOption database{
        QStringLiteral("database"),
        CommandLine::tr("按此质控数据库中冻结的质控图判断质控点（sqlite:文件 或 "
                        "postgresql://用户@主机:端口/数据库）；不给时用 LUMETRA_DATABASE，"
                        "两者都没有则不判断。"),
        QStringLiteral("URL")};
    const QCommandLineOption calibration{
        QStringLiteral("calibration"),
        CommandLine::tr("校准方式：external（外标）或 addition（标准加入：标准点是加入已知量的"
                        "样品本身，结果由直线外推到浓度轴得到）。"),
        QStringLiteral("external|addition")};
    const QCommandLineOption v0{
        QStringLiteral("v0"),
        CommandLine::tr("不定容的标准加入：样品体积 V0（须同时给出 --c-std）；标准点文件的第一列"
                        "是加入体积（与 V0 同一单位），第二列是信号。"),
        QStringLiteral("V")};
    const QCommandLineOption cStd{
        QStringLiteral("c-std"),
        CommandLine::tr("不定容的标准加入：加入的标准溶液的浓度（须同时给出 --v0）。"),
        QStringLiteral("C")};
    const QCommandLineOption internalStandard{
        QStringLiteral("internal-standard"),
        CommandLine::tr("内标法：按响应比 A/A内标 拟合；标准点和样品文件须有 is 列"
                        "（内标响应，可有 c_is 列：内标浓度）。")};
    // Read by main() before the application exists; checked here with the others.
    const QCommandLineOption language{
        QStringLiteral("lang"),
        CommandLine::tr("帮助和消息的语言：zh（中文）或 en（英文）；不给时用窗口中选定的语言。"),
        QStringLiteral("zh|en")};

    const UncertaintyOptions uncertainty;

    // Every option in the order of the help, and whether it changes the result (the PDF prints
    // those beside the files' SHA-256, in this order).
    struct Listed {
        const QCommandLineOption* option;
        bool changesResult;
    };
    std::vector<Listed> listed() const {
        return {
            {&samples, false},
            {&blanks, false},
            {&method, true},
            {&json, false},
            {&model, true},
            {&weight, true},
            {&exclude, true},
            {&level, true},
            {&alpha, true},
            {&k, true},
            {&m, true},
            {&limit, true},
            {&volume, true},
            {&factor, true},
            {&resultUnit, true},
            {&digits, true},
            {&decimals, true},
            {&switchAt, true},
            {&below, true},
            {&blankAbsorbanceMax, true},
            {&blankCorrection, true},
            {&strict, false},
            {&pdf, false},
            {&history, false},
            {&database, false},
            {&language, false},
            {&calibration, true},
            {&v0, true},
            {&cStd, true},
            {&internalStandard, true},
        };
    }

    std::vector<const QCommandLineOption*> all() const {
        std::vector<const QCommandLineOption*> options;
        for (const Listed& row : listed()) {
            options.push_back(row.option);
        }
        for (const QCommandLineOption* option : uncertainty.all()) {
            options.push_back(option);
        }
        return options;
    }

    // The options that change the result, as the PDF prints them beside the files' SHA-256.
    QStringList changing(const QCommandLineParser& parser) const {
        QStringList given;
        for (const auto& [option, changesResult] : listed()) {
            if (changesResult && parser.isSet(*option)) {
                const QString name = QStringLiteral("--") + option->names().first();
                given << (option->valueName().isEmpty() ? name
                                                        : name + u' ' + parser.value(*option));
            }
        }
        for (const QCommandLineOption* option : uncertainty.all()) {
            if (parser.isSet(*option)) {
                given << QStringLiteral("--") + option->names().first() + u' ' +
                             parser.value(*option);
            }
        }
        return given;
    }
};

// The files a run read, each with the SHA-256 of its bytes, for the PDF's record; gathered only
// when `wanted` (hashing 8 MiB takes longer than reporting them).
struct ReadFiles {
    bool wanted = false;
    std::vector<std::pair<QString, QString>> files;
};

// The document of FILE with the options applied, and its results: FILE a calibration file (a
// name ending in .lumetra) or a CSV file of standards, --samples in place of its samples, the
// method first, --blanks after the samples, then every other option. When `charts` is given the
// batch is judged against its frozen control charts (records/judging.h).
struct ReportRun {
    calibration::Document document;
    calibration::Results results;
    ReadFiles read;
};
// The run, or the exit code after its one line on standard error: 2 for a file that cannot be
// read, a value that is not a number or a usage error, 1 for no curve or a slope of 0.
std::variant<ReportRun, int> prepareReport(const QCommandLineParser& parser,
                                           const ReportOptions& options, const QString& file,
                                           bool hashFiles, records::Store* charts);

// Whether --strict fails the run: a quality rule of the batch failed or could not be judged, or a
// result lies beyond what can be computed.
bool strictFails(const calibration::Results& results);

// Why the value of --lang is none of "zh" and "en", or nullopt.
std::optional<QString> languageProblem(const QCommandLineParser& parser,
                                       const QCommandLineOption& language);

// The database --database names, else LUMETRA_DATABASE; none when neither is given; or the
// error line.
std::variant<std::optional<records::DatabaseUrl>, QString>
namedDatabase(const QCommandLineParser& parser, const QCommandLineOption& database);

} // namespace app
