#include "app/command_line.h"

#include "analysis/pdf_module.h"
#include "app/qc_command.h"
#include "app/report_run.h"
#include "calibration/data_report.h"
#include "calibration/results.h"
#include "io/document_text.h"
#include "io/files.h"
#include "io/module_loader.h"
#include "records/store.h"

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
#include <tuple>
#include <vector>

namespace app {

namespace {

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
                                  .arg(code != 0 ? io::rendered(io::systemErrorReason(code))
                                                 : CommandLine::tr("原因不明")));
    }
    return kSuccess;
}

int succeedWith(const std::string& bytes) {
    return succeedWith([&bytes](const calibration::ReportWriter& write) { return write(bytes); });
}

// A file the run reads, with the option that names it ("" for the report's FILE).
struct InputFile {
    QString option;
    QString path;
};

std::vector<InputFile> inputsOf(const QCommandLineParser& parser, const ReportOptions& o,
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

// The time the report is made: now, or SOURCE_DATE_EPOCH (seconds since 1970, as reproducible
// builds set it) when that is a whole number, so that a PDF can be made again identically.
QDateTime reportTime() {
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok && seconds >= 0 ? QDateTime::fromSecsSinceEpoch(seconds)
                              : QDateTime::currentDateTime();
}

// The report as a PDF at `path`, whole or not at all: an old file there stays when it fails.
int writePdf(const QCommandLineParser& parser, const ReportOptions& options, const QString& file,
             const ReadFiles& read, const calibration::Document& document,
             const calibration::Results& results) {
    QString whyNot;
    const analysis::PdfModule* pdf = pdfModule(&whyNot);
    if (pdf == nullptr) {
        return fail(kFailure, whyNot);
    }
    if (!QCoreApplication::instance()->inherits("QGuiApplication")) {
        return fail(kFailure, CommandLine::tr("--pdf 需要在图形应用中运行"));
    }
    analysis::ReportSource source;
    source.fileName = io::shownPath(QFileInfo(file).fileName());
    source.files = read.files;
    source.options = options.changing(parser);
    source.made = reportTime();
    source.history = parser.isSet(options.history);
    const QString path = parser.value(options.pdf);
    if (const auto error = pdf->write(path, document, results, source)) {
        return fail(kFailure, CommandLine::tr("PDF导出失败：%1").arg(error->message()));
    }
    return kSuccess;
}

int report(const QCommandLineParser& parser, const ReportOptions& options, const QString& file) {
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
    // A database named on the command line (or in LUMETRA_DATABASE) judges the batch against its
    // frozen control charts; one that does not exist yet holds none.
    auto named = namedDatabase(parser, options.database);
    if (const QString* why = std::get_if<QString>(&named)) {
        return fail(kFailure, *why);
    }
    std::unique_ptr<records::Store> charts;
    if (const auto& url = std::get<std::optional<records::DatabaseUrl>>(named);
        url && !records::missingFile(*url)) {
        auto store = records::openStore(*url);
        if (!store) {
            return fail(kFailure, rendered(store.fault().message));
        }
        charts = std::move(store).value();
    }
    auto prepared = prepareReport(parser, options, file, parser.isSet(options.pdf), charts.get());
    if (const int* code = std::get_if<int>(&prepared)) {
        return *code;
    }
    const auto& [document, results, read] = std::get<ReportRun>(prepared);
    const int code = parser.isSet(options.pdf)
                         ? writePdf(parser, options, file, read, document, results)
                         : succeedWith([&](const calibration::ReportWriter& write) {
                               return parser.isSet(options.json)
                                          ? calibration::writeReportJson(document, results, write)
                                          : calibration::writeReportText(document, results, write);
                           });
    // A failed quality rule is reported, not a failure of the run, unless the script asks.
    if (code == kSuccess && parser.isSet(options.strict) && strictFails(results)) {
        return kQualityFailed;
    }
    return code;
}

} // namespace

const analysis::PdfModule* pdfModule(QString* whyNot) {
    QString reason;
    const analysis::PdfModule* module = io::loadedModule<analysis::PdfModule>(
        LUMETRA_PDF_MODULE_FROM_BINDIR, LUMETRA_PDF_MODULE_IN_BUILD, "lumetraPdfModule", reason);
    if (module == nullptr && whyNot != nullptr) {
        *whyNot = CommandLine::tr("无法加载 PDF 模块（%1）").arg(reason);
    }
    return module;
}

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
    const ReportOptions options;
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
    if (const auto problem = languageProblem(parser, options.language)) {
        return fail(kFailure, *problem);
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
