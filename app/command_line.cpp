#include "app/command_line.h"

#include "calc/number_text.h"
#include "calc/report_json.h"
#include "calc/report_text.h"
#include "calc/statistics.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/files.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace app {

namespace {

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

// The output and the end of the run. The write, the flush and the close of standard output are
// all checked: output lost on a full disk, into a closed or read-only descriptor, or into a pipe
// whose reader has gone while SIGPIPE is ignored is a failure, never a silent success. With
// SIGPIPE at its default the write ends the process, as it does every tool.
int succeedWith(const std::string& bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0 || std::fclose(stdout) != 0) {
        const int code = errno;
        return fail(kFailure,
                    QStringLiteral("写入标准输出失败：") +
                        (code != 0 ? io::systemErrorReason(code) : QStringLiteral("原因不明")));
    }
    return kSuccess;
}

// The standards and samples of a report, as numbers.
struct ReportInput {
    std::vector<double> x, y;
    std::vector<calc::SampleRow> samples;
};

double number(const QString& text) {
    return *calc::strictParse(text.trimmed().toStdString());
}

void addStandards(ReportInput& input, const QList<io::Standard>& standards) {
    for (const io::Standard& s : standards) {
        input.x.push_back(number(s.c));
        input.y.push_back(number(s.a));
    }
}

// The report is UTF-8, which has no unpaired surrogate (a calibration file's JSON can escape
// one): such a half of a character is written as U+FFFD, the replacement character.
std::string utf8Name(QString name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i;
        } else if (name[i].isSurrogate()) {
            name[i] = QChar::ReplacementCharacter;
        }
    }
    return name.toStdString();
}

void addSamples(ReportInput& input, const QList<io::Sample>& samples) {
    for (const io::Sample& sample : samples) {
        const io::SampleValues values = io::sampleValues(sample).value();
        input.samples.push_back(
            {utf8Name(sample.name),
             std::vector<double>(values.readings.begin(), values.readings.end()), values.dilution});
    }
}

// A .lumetra file by its suffix; anything else is a CSV of standards. The samples of a
// calibration file are checked and used only when no others replace them.
std::optional<io::Error> readStandards(const QString& path, bool ownSamples, ReportInput& input) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("lumetra"), Qt::CaseInsensitive) == 0) {
        auto calibration = io::readCalibrationFile(path);
        if (!calibration) {
            return calibration.error();
        }
        if (!ownSamples) {
            calibration->samples.clear();
        }
        if (auto error = io::checkNumbers(calibration.value())) {
            error->file = path;
            return error;
        }
        addStandards(input, calibration->standards);
        addSamples(input, calibration->samples);
        return std::nullopt;
    }
    auto csv = io::readStandardsCsvFile(path);
    if (!csv) {
        return csv.error();
    }
    addStandards(input, csv->rows);
    return std::nullopt;
}

std::optional<io::Error> readSamples(const QString& path, ReportInput& input) {
    auto csv = io::readSamplesCsvFile(path);
    if (!csv) {
        return csv.error();
    }
    if (auto error = io::checkNumbers(csv.value())) {
        error->file = path;
        return error;
    }
    input.samples.clear();
    addSamples(input, csv->rows);
    return std::nullopt;
}

int report(const QString& file, const QString& samplesFile, bool json) {
    ReportInput input;
    if (auto error = readStandards(file, samplesFile.isEmpty(), input)) {
        return fail(kFailure, error->message());
    }
    if (!samplesFile.isEmpty()) {
        if (auto error = readSamples(samplesFile, input)) {
            return fail(kFailure, error->message());
        }
    }
    if (input.x.size() < 2) {
        return fail(kCannotFit, QStringLiteral("%1：只有%2个标准点，至少需要2个")
                                    .arg(io::shownPath(file))
                                    .arg(input.x.size()));
    }
    const auto line = calc::lineStatistics(input.x, input.y);
    if (!line) {
        return fail(kCannotFit,
                    QStringLiteral("%1：无法拟合标准曲线（浓度全部相同、吸光度全部相同或斜率为0）")
                        .arg(io::shownPath(file)));
    }
    return succeedWith(json ? calc::reportJson(input.x, input.y, *line, input.samples)
                            : calc::reportText(input.x, input.y, *line, input.samples));
}

} // namespace

int runCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lumetra：光度分析标准曲线计算器。不带参数时打开窗口。\n\n"
        "report FILE   输出标准曲线的统计量、各标准点和样品的报告（制表符分隔）。\n"
        "              FILE 为 .lumetra 标准曲线文件，或两列（浓度、吸光度）的 CSV 文件。\n\n"
        "退出码：0 成功；1 数据无法拟合；2 其他错误（用法、文件、数值）。"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption samplesOption(
        QStringLiteral("samples"),
        QStringLiteral("样品的 CSV 文件（名称、读数、稀释倍数），取代 .lumetra 文件中的样品。"),
        QStringLiteral("SAMPLES.csv"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("以 JSON 输出，键与制表符报告相同。"));
    parser.addOption(samplesOption);
    parser.addOption(jsonOption);
    parser.addPositionalArgument(QStringLiteral("report"), QStringLiteral("命令：report"),
                                 QStringLiteral("report"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("标准曲线文件"));

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
    if (parser.isSet(samplesOption) && parser.value(samplesOption).isEmpty()) {
        return fail(kFailure, QStringLiteral("--samples 需要一个文件名（用法：lumetra report FILE "
                                             "--samples SAMPLES.csv）"));
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional[0] != u"report"_qs) {
        return fail(
            kFailure,
            positional.isEmpty()
                ? QStringLiteral("缺少命令（用法：lumetra report FILE）")
                : QStringLiteral("未知的命令“%1”（用法：lumetra report FILE）").arg(positional[0]));
    }
    if (positional.size() != 2) {
        return fail(kFailure,
                    positional.size() < 2
                        ? QStringLiteral("report 需要一个文件（用法：lumetra report FILE）")
                        : QStringLiteral("多余的参数“%1”").arg(positional[2]));
    }
    return report(positional[1], parser.value(samplesOption), parser.isSet(jsonOption));
}

} // namespace app
