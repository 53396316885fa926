// The command line as a script uses it: the real program run with no display and no platform
// plugin, its standard output parsed back, its exit codes and its one line of error.

#include "tests/support/file_standing.h"
#include "tests/support/fluorescence_reference.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QStringConverter>
#include <QTemporaryDir>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const QString kSampleHeader =
    u"name\treadings\tm\tmean_A\tdilution\tx0\ts_x0\tci95_x0\tci_x0\tflags\t"
    u"type\tof\tadded\tnominal\tcertified\tu\tresult\tresult_text\tmean_result\t"
    u"mean_result_text\tresult_unit\tqc\tqc_pass\tbelow_limit\terror"_qs;

const char kStandards[] = "C;A\n0;2,1\n2;5,0\n4;9,0\n6;12,6\n8;17,3\n10;21,0\n12;24,7\n";

// An empty settings folder, so that no language saved in the windows of whoever runs the tests
// changes the command line's texts.
const QString& noSettings() {
    static const QTemporaryDir folder;
    static const QString path = folder.path();
    return path;
}

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

class CommandLine : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // `extra` adds to the environment or replaces its variables.
    static Outcome run(const QStringList& arguments, const QProcessEnvironment& extra = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_qs, noSettings());
        environment.insert(extra);
        environment.remove(u"DISPLAY"_qs);
        environment.remove(u"WAYLAND_DISPLAY"_qs);
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"no-such-platform"_qs);
        environment.insert(u"LC_ALL"_qs, u"C.UTF-8"_qs); // the system's error texts in English
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(LUMETRA_BINARY), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir;
};

// What standard output is in a run of the program.
enum class Output {
    Pipe,     // a pipe read to its end
    Full,     // /dev/full: every write fails with ENOSPC
    Closed,   // no descriptor 1 at all (>&-)
    ReadOnly, // a descriptor open for reading only
    GonePipe, // a pipe whose reader has already gone
};

struct Ended {
    bool signalled = false;
    int status = -1; // the exit code, or the signal
    QByteArray out;
    QString err;
};

// Runs the program with the arguments as bytes (a name that is not UTF-8 among them) and standard
// output as asked, in the C.UTF-8 locale so that the system's error texts are the English ones.
Ended runRaw(const std::vector<QByteArray>& arguments, Output output, bool ignoreSigpipe = false) {
    std::vector<QByteArray> words{QByteArray(LUMETRA_BINARY)};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (QByteArray& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<QByteArray> environment{"LC_ALL=C.UTF-8",
                                        "XDG_CONFIG_HOME=" + QFile::encodeName(noSettings())};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!QByteArray(*entry).startsWith("LC_ALL=") &&
            !QByteArray(*entry).startsWith("XDG_CONFIG_HOME=")) {
            environment.emplace_back(*entry);
        }
    }
    std::vector<char*> envp;
    for (QByteArray& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    int err[2];
    int out[2] = {-1, -1};
    EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
    if (output == Output::Pipe || output == Output::GonePipe) {
        EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
    } else if (output == Output::Full) {
        out[1] = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    } else if (output == Output::ReadOnly) {
        out[1] = ::open(LUMETRA_BINARY, O_RDONLY | O_CLOEXEC);
    }
    if (output == Output::GonePipe) {
        ::close(out[0]);
        out[0] = -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (out[1] >= 0) {
            ::dup2(out[1], 1);
        } else {
            ::close(1);
        }
        ::dup2(err[1], 2);
        ::signal(SIGPIPE, ignoreSigpipe ? SIG_IGN : SIG_DFL);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(err[1]);
    if (out[1] >= 0) {
        ::close(out[1]);
    }
    const auto readAll = [](int fd) {
        QByteArray bytes;
        char buffer[65536];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, got);
        }
        ::close(fd);
        return bytes;
    };
    // The report is small: the pipe holds all of it while standard error is read.
    Ended ended;
    ended.err = QString::fromUtf8(readAll(err[0]));
    if (out[0] >= 0) {
        ended.out = readAll(out[0]);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ended.signalled = WIFSIGNALED(status);
    ended.status = ended.signalled ? WTERMSIG(status) : WEXITSTATUS(status);
    return ended;
}

void expectReference(const QString& key, double value) {
    const double expected = test::kFluorescenceStatistics.at(key);
    EXPECT_NEAR(value, expected, 1e-9 * std::fabs(expected)) << key.toStdString();
}

TEST_F(CommandLine, TabSeparatedAndJsonReportsAgreeWithTheExactFigures) {
    const QString standards = file(u"standards.csv"_qs, kStandards);
    const QString samples = file(u"samples.csv"_qs, "名称,读数,稀释\nS1,2.9,\n=cmd,13.4 13.6,2\n");

    const Outcome text = run({u"report"_qs, standards, u"--samples"_qs, samples});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.err.isEmpty());
    const QStringList lines = text.out.split(u'\n');
    const qsizetype end = lines.indexOf(QString());
    std::map<QString, QString> fields;
    for (qsizetype i = 0; i < end; ++i) {
        const QStringList cells = lines[i].split(u'\t');
        ASSERT_EQ(cells.size(), 2) << lines[i].toStdString();
        fields[cells[0]] = cells[1];
    }
    for (const auto& [key, value] : test::kFluorescenceStatistics) {
        expectReference(key, fields.at(key).toDouble());
    }
    EXPECT_EQ(fields.at(u"unit"_qs), QString()); // a CSV of standards has none
    EXPECT_EQ(fields.at(u"model"_qs), u"line"_qs);
    // After the calibration's fields, the validation's block, then the standards.
    EXPECT_TRUE(lines[end + 1].startsWith(u"mandel.pw\t"_qs)) << lines[end + 1].toStdString();
    const qsizetype pointHeader = lines.indexOf(QString(), end + 1) + 1;
    EXPECT_EQ(lines[pointHeader],
              u"C\tA\texcluded\treason\tA_fit\tresidual\tdeviation_pct\tC_back\t"
              u"recovery_pct\tstudentized\tcooks\toutlier\tinfluential"_qs);
    const qsizetype sampleHeader = lines.indexOf(QString(), pointHeader) + 1;
    EXPECT_EQ(lines[sampleHeader], kSampleHeader);
    EXPECT_TRUE(lines[sampleHeader + 1].startsWith(u"S1\t2.9\t1\t2.9\t1\t0.71"_qs))
        << lines[sampleHeader + 1].toStdString();
    EXPECT_TRUE(lines[sampleHeader + 2].startsWith(u"=cmd\t13.4 13.6\t2\t13.5\t2\t"_qs))
        << lines[sampleHeader + 2].toStdString();

    const Outcome json = run({u"report"_qs, standards, u"--json"_qs, u"--samples"_qs, samples});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    for (const auto& [key, value] : test::kFluorescenceStatistics) {
        expectReference(key, root[key].toDouble());
    }
    const QJsonArray points = root[u"points"_qs].toArray();
    ASSERT_EQ(points.size(), 7);
    EXPECT_TRUE(points[0].toObject()[u"recovery_pct"_qs].isNull());
    const QJsonObject second = root[u"samples"_qs].toArray()[1].toObject();
    EXPECT_EQ(second[u"readings"_qs].toArray().size(), 2);
    EXPECT_EQ(second[u"m"_qs].toInt(), 2);
    EXPECT_EQ(second[u"flags"_qs].toArray().size(), 0);
    EXPECT_EQ(root[u"samples"_qs].toArray()[0].toObject()[u"flags"_qs].toArray(),
              QJsonArray({u"below_lod"_qs, u"below_loq"_qs}));
}

TEST_F(CommandLine, TwoStandardsGiveNullForWhatNeedsThree) {
    const Outcome json = run({u"report"_qs, file(u"two.csv"_qs, "1,0.1\n2,0.3\n"), u"--json"_qs});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    for (const char* key : {"s_a", "s_b", "ci95_a", "ci95_b", "s_yx", "lod", "loq"}) {
        EXPECT_TRUE(root[QString::fromUtf8(key)].isNull()) << key;
    }
    EXPECT_EQ(root[u"r"_qs].toDouble(), 1.0);
}

TEST_F(CommandLine, ExitCodesAndOneLineOfError) {
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString inError; // a part of the one error line
    };
    const QString good = file(u"good.csv"_qs, kStandards);
    const QString fifo = dir.filePath(u"fifo.csv"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString self = dir.filePath(u"self.csv"_qs);
    ASSERT_TRUE(QFile::link(self, self));
    const Case cases[] = {
        {"help", {u"--help"_qs}, 0, {}},
        {"all the help", {u"--help-all"_qs}, 0, {}},
        {"version", {u"--version"_qs}, 0, {}},
        {"samples without a name",
         {u"report"_qs, good, u"--samples="_qs},
         2,
         u"--samples 需要一个值"_qs},
        {"a FIFO", {u"report"_qs, fifo}, 2, u"fifo.csv：不是普通文件（命名管道）"_qs},
        {"a FIFO of samples",
         {u"report"_qs, good, u"--samples"_qs, fifo},
         2,
         u"fifo.csv：不是普通文件（命名管道）"_qs},
        {"a link to itself",
         {u"report"_qs, self},
         2,
         u"self.csv：符号链接循环（Too many levels of symbolic links）"_qs},
        {"a number followed by DEL",
         {u"report"_qs, file(u"del.csv"_qs, "1,0.1\n2,0.2\x7F\n")},
         2,
         u"第2行：吸光度 \"0.2\\u007F\" 不是数字"_qs},
        {"a number followed by a zero-width space",
         {u"report"_qs, file(u"zw.csv"_qs, "1,0.1\n2,0.2\xE2\x80\x8B\n")},
         2,
         u"第2行：吸光度 \"0.2\\u200B\" 不是数字"_qs},
        {"an escape that JSON does not have",
         {u"report"_qs, file(u"q.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,
             "unit":"mg\q","standards":[]})")},
         2,
         u"q.lumetra：unit（第2行第24列）：转义序列 \\q 无效"_qs},
        {"a calibration file's own bad samples, replaced",
         {u"report"_qs,
          file(u"own.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,"unit":"",
             "standards":[{"C":"1","A":".1"},{"C":"2","A":".3"}],
             "samples":[{"name":"bad","readings":"x","dilution":""}]})"),
          u"--samples"_qs, file(u"replacing.csv"_qs, "s,0.2\n")},
         0,
         {}},
        {"unknown option", {u"report"_qs, good, u"--frobnicate"_qs}, 2, u"frobnicate"_qs},
        {"a PDF and JSON at once",
         {u"report"_qs, good, u"--json"_qs, u"--pdf"_qs, dir.filePath(u"r.pdf"_qs)},
         2,
         u"--pdf 和 --json"_qs},
        {"the history without a PDF", {u"report"_qs, good, u"--history"_qs}, 2, u"--history"_qs},
        {"unknown command", {u"draw"_qs, good}, 2, u"draw"_qs},
        {"no file", {u"report"_qs}, 2, u"report"_qs},
        {"two files", {u"report"_qs, good, good}, 2, good},
        {"missing file", {u"report"_qs, dir.filePath(u"none.csv"_qs)}, 2, u"none.csv"_qs},
        {"no data rows", {u"report"_qs, file(u"empty.csv"_qs, "C,A\n")}, 2, u"empty.csv"_qs},
        {"not a number", {u"report"_qs, file(u"bad.csv"_qs, "1,0.1\n2,x\n")}, 2, u"第2行"_qs},
        {"bad samples",
         {u"report"_qs, good, u"--samples"_qs, file(u"s.csv"_qs, "a,0.5x,1\n")},
         2,
         u"s.csv"_qs},
        {"one standard", {u"report"_qs, file(u"one.csv"_qs, "1,0.1\n")}, 1, u"one.csv"_qs},
        {"equal concentrations",
         {u"report"_qs, file(u"eqc.csv"_qs, "1,0.1\n1,0.3\n")},
         1,
         u"eqc.csv"_qs},
        {"equal absorbances",
         {u"report"_qs, file(u"eqa.csv"_qs, "1,0.2\n2,0.2\n")},
         1,
         u"eqa.csv"_qs},
        {"a line break in a quoted cell",
         {u"report"_qs, file(u"break.csv"_qs, "\"1\n2\",0.1\n2,0.3\n")},
         2,
         u"第1行：浓度 \"1\\u000A2\" 不是数字"_qs},
        {"a standard of a calibration file that is not a number",
         {u"report"_qs,
          file(u"nan.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,"unit":"",
             "standards":[{"C":"1","A":".1"},{"C":"2","A":"NaN"}]})")},
         2,
         u"nan.lumetra：第2个标准点：吸光度 \"NaN\" 不是数字"_qs},
        {"calibration of another program",
         {u"report"_qs, file(u"x.lumetra"_qs, R"({"format":"other","version":1})")},
         2,
         u"x.lumetra"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_FALSE(result.out.isEmpty());
            EXPECT_TRUE(result.err.isEmpty());
        } else {
            EXPECT_TRUE(result.out.isEmpty());
            EXPECT_EQ(result.err.count(u'\n'), 1) << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(c.inError)) << result.err.toStdString();
        }
    }
}

TEST_F(CommandLine, ReadsACalibrationFileWithAnyNumberOfStandards) {
    QByteArray json = R"({"format":"lumetra-calibration","version":1,"unit":"mg/L","standards":[)";
    for (int i = 0; i < 12; ++i) { // more than the window's ten
        json += (i ? "," : "") +
                QStringLiteral(R"({"C":"%1","A":"%2"})").arg(i).arg(0.1 * i + 0.01).toUtf8();
    }
    json += R"(],"samples":[{"name":"s","readings":"0.5","dilution":""},)"
            R"({"name":"引\"号\\和\n换行","readings":"0.5","dilution":""},)"
            R"({"name":"\ud800x","readings":"0.5","dilution":""},)"
            R"({"name":"a\u009bb\u202ec","readings":"0.5","dilution":""}]})";
    const Outcome result = run({u"report"_qs, file(u"twelve.lumetra"_qs, json)});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(u"report_version\t2\nn\t12\n"_qs));
    EXPECT_TRUE(result.out.contains(u"\ns\t0.5\t1\t0.5\t1\t"_qs));
    EXPECT_TRUE(result.out.contains(u"\n引\"号\\和 换行\t0.5\t"_qs)) << "no name splits a line";
    // An unpaired surrogate cannot be UTF-8; C1 and bidirectional controls never reach a terminal.
    EXPECT_TRUE(result.out.contains(u"\n\uFFFDx\t0.5\t"_qs)) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(u"\na b c\t0.5\t"_qs)) << result.out.toStdString();

    const Outcome asJson = run({u"report"_qs, dir.filePath(u"twelve.lumetra"_qs), u"--json"_qs});
    ASSERT_EQ(asJson.exitCode, 0) << asJson.err.toStdString();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(asJson.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(root[u"n"_qs].toInt(), 12);
    EXPECT_EQ(root[u"points"_qs].toArray().size(), 12);
    EXPECT_EQ(root[u"samples"_qs].toArray()[1].toObject()[u"name"_qs].toString(),
              u"引\"号\\和\n换行"_qs);
    EXPECT_EQ(root[u"samples"_qs].toArray()[2].toObject()[u"name"_qs].toString(), u"\uFFFDx"_qs);
}

// Output that cannot be written is a failure named on one line, never an exit 0 in silence.
TEST_F(CommandLine, OutputThatCannotBeWrittenFails) {
    const QByteArray good = QFile::encodeName(file(u"good.csv"_qs, kStandards));
    const char* badDescriptor = "文件描述符无效或不可写入（Bad file descriptor）";
    struct Case {
        const char* name;
        std::vector<QByteArray> arguments;
        Output output;
        const char* reason;
    };
    const Case cases[] = {
        {"a full disk", {"report", good}, Output::Full, "磁盘已满（No space left on device）"},
        {"the help on a full disk",
         {"--help"},
         Output::Full,
         "磁盘已满（No space left on device）"},
        {"standard output closed", {"report", good}, Output::Closed, badDescriptor},
        {"a read-only descriptor", {"report", good, "--json"}, Output::ReadOnly, badDescriptor},
        {"a pipe whose reader has gone, SIGPIPE ignored",
         {"report", good, "--json"},
         Output::GonePipe,
         "管道的读取端已关闭（Broken pipe）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ended ended = runRaw(c.arguments, c.output, true);
        EXPECT_FALSE(ended.signalled);
        EXPECT_EQ(ended.status, 2);
        EXPECT_EQ(ended.err,
                  u"lumetra: 写入标准输出失败："_qs + QString::fromUtf8(c.reason) + u'\n');
    }
    // In English the phrase is the system's own text, shown once.
    const Ended english = runRaw({"report", good, "--lang=en"}, Output::Full, true);
    EXPECT_EQ(english.err,
              u"lumetra: Writing to standard output failed: No space left on device\n"_qs);
    // With SIGPIPE at its default the write ends the process by the signal, as it ends any tool.
    const Ended killed = runRaw({"report", good, "--json"}, Output::GonePipe);
    EXPECT_TRUE(killed.signalled);
    EXPECT_EQ(killed.status, SIGPIPE);
    EXPECT_EQ(killed.err, QString());
}

// A file name is bytes: one that is not UTF-8 ("度" in GB18030) is read, and named with the bytes
// it has.
TEST_F(CommandLine, AFileNameThatIsNotUtf8) {
    const QByteArray name = QFile::encodeName(dir.path()) + "/\xB6\xC8.csv";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const auto removeFile = qScopeGuard([&name] { ::unlink(name.constData()); });
    ASSERT_EQ(::write(fd, "1,0.1\n", 6), 6);
    ::close(fd);
    struct Case {
        const char* name;
        QByteArray file;
        int status;
        QString err;
    };
    const QString shown = dir.path() + u"/\\xB6\\xC8.csv"_qs;
    const Case cases[] = {
        {"read", name, 1, u"lumetra: "_qs + shown + u"：直线模型至少需要2个未排除的标准点\n"_qs},
        {"missing", name + "x", 2, u"lumetra: "_qs + shown + u"x：文件不存在\n"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ended ended = runRaw({"report", c.file}, Output::Pipe);
        EXPECT_EQ(ended.status, c.status);
        EXPECT_EQ(ended.err, c.err);
    }
}

QString sha256(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// The PDF's text as pdftotext -layout extracts it, blanks and runs of blanks as one blank.
QString pdfText(const QString& path) {
    QProcess process;
    process.start(u"pdftotext"_qs, {u"-layout"_qs, u"-enc"_qs, u"UTF-8"_qs, path, u"-"_qs});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// --pdf draws the window's report with no display (the platform is chosen inside the program, so
// that the one set here cannot be loaded), naming every file read by its SHA-256 and the options
// that changed the result; --history adds the change history.
TEST_F(CommandLine, PdfNamesItsFilesByTheirHashAndCarriesTheHistoryWhenAsked) {
    const QByteArray csv = "名称,读数\nS1,9.0\n";
    const QString samples = file(u"samples.csv"_qs, csv);
    const QString curve = file(u"curve.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,
        "unit":"mg/L","standards":[{"C":"0","A":"2.1"},{"C":"2","A":"5.0"},{"C":"4","A":"9.0"},
        {"C":"6","A":"12.6"},{"C":"8","A":"17.3"},{"C":"10","A":"21.0"},{"C":"12","A":"24.7"}],
        "history":[{"time":"2026-12-07T21:04:53+08:00","user":"lab","kind":"standard_edited",
        "values":{"field":"A","from":"12.7","number":"4","to":"12.6"}}]})");
    QFile read(curve);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const QByteArray bytes = read.readAll();

    struct Case {
        const char* name;
        QStringList options;
        bool history;
    };
    const Case cases[] = {{"without the history", {u"--level"_qs, u"99"_qs}, false},
                          {"with it", {u"--history"_qs}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString pdf = dir.filePath(u"report.pdf"_qs);
        const Outcome made =
            run(QStringList{u"report"_qs, curve, u"--samples"_qs, samples, u"--pdf"_qs, pdf} +
                c.options);
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
        EXPECT_TRUE(made.out.isEmpty());
        EXPECT_TRUE(made.err.isEmpty()) << made.err.toStdString();
        const QString text = pdfText(pdf);
        // The published example: a = 1.5179, b = 1.9304, to four significant digits in the plot.
        for (const QString& expected :
             {u"A = 1.518 + 1.930·C"_qs, u"SHA-256："_qs + sha256(bytes), sha256(csv),
              u"samples.csv（--samples）"_qs, u"第 1 页 共 "_qs, u"curve.lumetra"_qs}) {
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        }
        EXPECT_EQ(text.contains(u"改变结果的命令行选项：--level 99"_qs), !c.history);
        EXPECT_EQ(text.contains(u"附录：修改记录"_qs), c.history);
        EXPECT_EQ(text.contains(u"lab"_qs), c.history);
    }
}

// A PDF that cannot be written is a failure naming the file, and an old file there stays.
TEST_F(CommandLine, PdfOntoAReadOnlyPathFailsAndLeavesTheOldFile) {
    QTemporaryDir locked;
    const QByteArray folder = QFile::encodeName(locked.path());
    const QString old = locked.filePath(u"old.pdf"_qs);
    const auto writeOld = [&old] {
        QFile f(old);
        return f.open(QIODevice::WriteOnly) && f.write("an earlier report") == 17;
    };
    // Root writes into any folder: a file system mounted read-only stops it too.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k"), 0)
            << std::strerror(errno);
    }
    const auto restore = qScopeGuard([&] {
        if (root) {
            ::umount2(folder.constData(), MNT_DETACH);
        } else {
            ::chmod(folder.constData(), 0700);
        }
    });
    ASSERT_TRUE(writeOld());
    if (root) {
        ASSERT_EQ(::mount("tmpfs", folder.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"),
                  0)
            << std::strerror(errno);
    } else {
        ASSERT_EQ(::chmod(folder.constData(), 0500), 0);
    }

    const Outcome result = run({u"report"_qs, file(u"good.csv"_qs, kStandards), u"--pdf"_qs, old});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err.count(u'\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.startsWith(u"lumetra: PDF导出失败："_qs + old))
        << result.err.toStdString();
    QFile kept(old);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("an earlier report"));
    EXPECT_EQ(QDir(locked.path()).entryList(QDir::Files), QStringList{u"old.pdf"_qs});
}

// A PDF is written only over a regular file that is none of the run's inputs: anything else is
// refused (exit 2, one line naming it) before the report is made, and left exactly as it was. A
// link to an earlier report is written through and stays a link. (Every writer against every
// hostile target, a full disk and a read-only folder among them: analysis/files_test.cpp.)
TEST_F(CommandLine, APdfNeverReplacesWhatIsNotItsOwnNorAnInput) {
    const QString good = file(u"good.csv"_qs, kStandards);
    const QString samples = file(u"samples.csv"_qs, "S1,9.0\n");
    const QString blanks = file(u"blanks.csv"_qs, "2.2\n");
    const auto at = [this](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    const auto native = [](const QString& path) { return QFile::encodeName(path); };
    const bool root = ::geteuid() == 0;
    struct Case {
        const char* name;
        std::function<QString()> make; // what stands at the target, and the target
        QString err;                   // after "lumetra: ", without the line end; "" when written
    };
    const auto inputIs = [](const QString& pdf, const QString& input) {
        return u"--pdf 的文件 "_qs + pdf + u" 是输入文件（"_qs + input + u"），不能覆盖"_qs;
    };
    const auto refused = [](const QString& pdf, const QString& reason) {
        return u"PDF导出失败："_qs + pdf + u"："_qs + reason;
    };
    const Case cases[] = {
        {"standard output", [] { return u"-"_qs; }, u"PDF不能写到标准输出"_qs},
        {"a character device",
         [&] {
             EXPECT_EQ(::mknod(native(at("null")).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
             return at("null");
         },
         refused(at("null"), u"不是普通文件（字符设备）"_qs)},
        {"a FIFO",
         [&] {
             EXPECT_EQ(::mkfifo(native(at("fifo.pdf")).constData(), 0600), 0);
             return at("fifo.pdf");
         },
         refused(at("fifo.pdf"), u"不是普通文件（命名管道）"_qs)},
        {"the report's file", [&] { return good; }, inputIs(good, good)},
        {"the samples' file", [&] { return samples; },
         inputIs(samples, u"--samples "_qs + samples)},
        {"the blanks' file", [&] { return blanks; }, inputIs(blanks, u"--blanks "_qs + blanks)},
        {"a hard link to the report's file",
         [&] {
             EXPECT_EQ(::link(native(good).constData(), native(at("hard.pdf")).constData()), 0);
             return at("hard.pdf");
         },
         inputIs(at("hard.pdf"), good)},
        {"a symbolic link to the samples' file",
         [&] {
             EXPECT_TRUE(QFile::link(samples, at("soft.pdf")));
             return at("soft.pdf");
         },
         inputIs(at("soft.pdf"), u"--samples "_qs + samples)},
        {"a link to an earlier report",
         [&] {
             QFile earlier(at("earlier.pdf"));
             EXPECT_TRUE(earlier.open(QIODevice::WriteOnly));
             earlier.write("an earlier report");
             EXPECT_TRUE(QFile::link(u"earlier.pdf"_qs, at("latest.pdf")));
             return at("latest.pdf");
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string_view name = c.name;
        if (!root && name == "a character device") {
            continue;
        }
        const QString pdf = c.make();
        const std::string before = test::standing(native(pdf).toStdString());
        const std::string inputs = test::standing(native(good).toStdString()) +
                                   test::standing(native(samples).toStdString()) +
                                   test::standing(native(blanks).toStdString());
        const Outcome result = run({u"report"_qs, good, u"--samples"_qs, samples, u"--blanks"_qs,
                                    blanks, u"--pdf"_qs, pdf});
        EXPECT_TRUE(result.out.isEmpty());
        const std::string inputsAfter = test::standing(native(good).toStdString()) +
                                        test::standing(native(samples).toStdString()) +
                                        test::standing(native(blanks).toStdString());
        EXPECT_EQ(inputsAfter, inputs);
        if (c.err.isEmpty()) {
            EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
            EXPECT_EQ(test::standing(native(pdf).toStdString()), "link to earlier.pdf");
            EXPECT_EQ(test::standing(native(at("earlier.pdf")).toStdString()).substr(0, 9),
                      "file %PDF");
        } else {
            EXPECT_EQ(result.exitCode, 2);
            EXPECT_EQ(result.err, u"lumetra: "_qs + c.err + u'\n');
            EXPECT_EQ(test::standing(native(pdf).toStdString()), before);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(u"-"_qs)) << "no file named \"-\"";
}

// A file name is bytes, read or written: a samples file and a PDF named in GB18030 ("度") are
// found and created under exactly those bytes, never under U+FFFD.
TEST_F(CommandLine, NamesThatAreNotUtf8AreReadAndWrittenUnderTheirBytes) {
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray samples = folder + "/\xB6\xC8.csv";
    const QByteArray pdf = folder + "/\xB6\xC8.pdf";
    const auto removeFiles = qScopeGuard([&] {
        ::unlink(samples.constData());
        ::unlink(pdf.constData());
    });
    const int fd = ::open(samples.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "S1,9.0\n", 7), 7);
    ::close(fd);
    const Ended ended = runRaw({"report", QFile::encodeName(file(u"good.csv"_qs, kStandards)),
                                "--samples", samples, "--pdf", pdf},
                               Output::Pipe);
    EXPECT_EQ(ended.status, 0) << ended.err.toStdString();
    EXPECT_EQ(test::standing(pdf.toStdString()).substr(0, 9), "file %PDF");
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
        EXPECT_FALSE(name.contains(QChar(0xFFFD))) << name.toStdString();
    }
}

// A JSON calibration file of the good standards with these settings and samples.
QByteArray calibrationWith(const QByteArray& settings, const QByteArray& samples = "[]") {
    return R"({"format":"lumetra-calibration","version":2,"unit":"mg","standards":[
        {"C":"0","A":"2.1"},{"C":"2","A":"5.0"},{"C":"4","A":"9.0"},{"C":"6","A":"12.6"}],
        "settings":{)" +
           settings + R"(},"samples":)" + samples + "}";
}

// A volume, factor or dilution that no result can be computed with is refused where it is read:
// the file naming its key, the option naming itself, the row naming its line (exit 2). One that
// can be used but gives a result beyond the doubles gives that row its reason in `error`.
TEST_F(CommandLine, ImpossibleSettingsAreRefusedWhereTheyAreRead) {
    const QString range = u"应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_qs;
    const QString good = file(u"good.csv"_qs, kStandards);
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString message; // the error line without "lumetra: ", or the first sample's `error`
    };
    const auto calibration = [this](const char* name, const QByteArray& settings,
                                    const QByteArray& samples = "[]") {
        return file(QString::fromUtf8(name), calibrationWith(settings, samples));
    };
    const QString samples = file(u"s.csv"_qs, "S1,9.0,1e308\n");
    const Case cases[] = {
        {"a file's volume of 0",
         {u"report"_qs, calibration("v0.lumetra", R"("volume":"0")")},
         2,
         dir.filePath(u"v0.lumetra：settings.volume：取样量 \"0\" "_qs) + range},
        {"a file's factor of 0",
         {u"report"_qs, calibration("f3.lumetra", R"("factor":"0")")},
         2,
         dir.filePath(u"f3.lumetra：settings.factor：换算系数 \"0\" "_qs) + range},
        {"a file's own dilution of 0",
         {u"report"_qs,
          calibration("d0.lumetra", "", R"([{"name":"S","readings":"9","dilution":"0"}])")},
         2,
         dir.filePath(u"d0.lumetra：第1个样品：稀释倍数 \"0\" "_qs) + range},
        {"--volume below the normal doubles",
         {u"report"_qs, good, u"--volume"_qs, u"1e-320"_qs},
         2,
         u"--volume 的值“1e-320”无效，"_qs + range},
        {"--volume -1",
         {u"report"_qs, good, u"--volume"_qs, u"-1"_qs},
         2,
         u"--volume 的值“-1”无效，"_qs + range},
        {"--factor 0",
         {u"report"_qs, good, u"--factor"_qs, u"0"_qs},
         2,
         u"--factor 的值“0”无效，"_qs + range},
        {"--factor 1e400",
         {u"report"_qs, good, u"--factor"_qs, u"1e400"_qs},
         2,
         u"--factor 的值“1e400”无效，"_qs + range},
        {"a dilution of the smallest double",
         {u"report"_qs, good, u"--samples"_qs, file(u"tiny.csv"_qs, "S1,9.0,4.9e-324\n")},
         2,
         dir.filePath(u"tiny.csv：第1行：稀释倍数 \"4.9e-324\" "_qs) + range},
        {"--factor 1e308: a result beyond the doubles",
         {u"report"_qs, good, u"--samples"_qs, file(u"one.csv"_qs, "S1,9.0\n"), u"--factor"_qs,
          u"1e308"_qs, u"--json"_qs},
         0,
         u"数值超出可计算的范围"_qs},
        {"a dilution of 1e308: x0 beyond the doubles",
         {u"report"_qs, good, u"--samples"_qs, samples, u"--json"_qs},
         0,
         u"数值超出可计算的范围"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        if (c.exitCode == 0) {
            const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
            const QJsonObject row = root[u"samples"_qs].toArray()[0].toObject();
            EXPECT_EQ(row[u"error"_qs].toString(), c.message);
            EXPECT_TRUE(row[u"result"_qs].isNull());
            // A result that cannot be computed is no pass for a script that asks.
            EXPECT_EQ(run(c.arguments + QStringList{u"--strict"_qs}).exitCode, 3);
        } else {
            EXPECT_EQ(result.err, u"lumetra: "_qs + c.message + u'\n');
        }
    }
}

// Every message that quotes what the user gave keeps it whole, a "%1" in it included, and says
// the range that is really accepted; in English too.
TEST_F(CommandLine, MessagesKeepTheUsersTextWholeAndSayTheRangeAccepted) {
    const QString good = file(u"good.csv"_qs, kStandards);
    const QString twice = file(u"%1.csv"_qs, "name,readings,name\nA,0.5,T\n");
    const QString reading = file(u"%2.csv"_qs, "S1,%1\n");
    const QString percent = file(u"%1%2.csv"_qs, "1,0.1\n2,%1\n");
    const QString volume = file(u"%1.lumetra"_qs, calibrationWith(R"("volume":"%2")"));
    struct Case {
        const char* name;
        QStringList arguments;
        QString err; // without "lumetra: " and the line end
    };
    const QString range = u"2.2250738585072014e-308到1.7976931348623157e+308"_qs;
    const Case cases[] = {
        {"--exclude %1",
         {u"report"_qs, good, u"--exclude"_qs, u"%1"_qs},
         u"--exclude 的“%1”无效，应为1到7之间的标准点序号"_qs},
        {"--exclude 2,%2",
         {u"report"_qs, good, u"--exclude"_qs, u"2,%2"_qs},
         u"--exclude 的“%2”无效，应为1到7之间的标准点序号"_qs},
        {"--model %1%2",
         {u"report"_qs, good, u"--model"_qs, u"%1%2"_qs},
         u"--model 的值“%1%2”无效，应为 line、origin、quadratic"_qs},
        {"--k %1",
         {u"report"_qs, good, u"--k"_qs, u"%1"_qs},
         u"--k 的值“%1”无效，应为1到10之间的数"_qs},
        {"--m 0.5",
         {u"report"_qs, good, u"--m"_qs, u"0.5"_qs},
         u"--m 的值“0.5”无效，应为1到100之间的整数"_qs},
        {"--decimals %2",
         {u"report"_qs, good, u"--decimals"_qs, u"%2"_qs},
         u"--decimals 的值“%2”无效，应为0到15之间的整数"_qs},
        {"--volume %1",
         {u"report"_qs, good, u"--volume"_qs, u"%1"_qs},
         u"--volume 的值“%1”无效，应为"_qs + range + u"之间的数"_qs},
        {"--factor %2%1",
         {u"report"_qs, good, u"--factor"_qs, u"%2%1"_qs},
         u"--factor 的值“%2%1”无效，应为"_qs + range + u"之间的数"_qs},
        {"--lang %1",
         {u"report"_qs, good, u"--lang"_qs, u"%1"_qs},
         u"--lang 的值“%1”无效，应为 zh、en"_qs},
        {"a command %1", {u"%1"_qs, good}, u"未知的命令“%1”（用法：lumetra report FILE）"_qs},
        {"an argument too many", {u"report"_qs, good, u"%2"_qs}, u"多余的参数“%2”"_qs},
        {"a missing file",
         {u"report"_qs, dir.filePath(u"%1%2x.csv"_qs)},
         dir.filePath(u"%1%2x.csv：文件不存在"_qs)},
        {"a standard %1", {u"report"_qs, percent}, percent + u"：第2行：吸光度 \"%1\" 不是数字"_qs},
        {"a reading %1",
         {u"report"_qs, good, u"--samples"_qs, reading},
         reading + u"：第1行：读数 \"%1\" 不是数字"_qs},
        {"a header naming a column twice",
         {u"report"_qs, good, u"--samples"_qs, twice},
         twice + u"：第1行：表头的第3列 \"name\" 与第1列重复"_qs},
        {"a file's volume %2",
         {u"report"_qs, volume},
         volume + u"：settings.volume：取样量 \"%2\" 不是数字"_qs},
        {"a PDF onto its input %1",
         {u"report"_qs, twice, u"--pdf"_qs, twice},
         u"--pdf 的文件 "_qs + twice + u" 是输入文件（"_qs + twice + u"），不能覆盖"_qs},
        {"English: --exclude %1",
         {u"report"_qs, good, u"--exclude"_qs, u"%1"_qs, u"--lang=en"_qs},
         u"Invalid standard “%1” for --exclude: expected a number from 1 to 7"_qs},
        {"English: --volume %1",
         {u"report"_qs, good, u"--volume"_qs, u"%1"_qs, u"--lang=en"_qs},
         u"Invalid value “%1” for --volume: expected a number from "_qs +
             u"2.2250738585072014e-308 to 1.7976931348623157e+308"_qs},
        {"English: a reading %1",
         {u"report"_qs, good, u"--samples"_qs, reading, u"--lang=en"_qs},
         reading + u": line 1: reading \"%1\" is not a number"_qs},
        {"English: a header naming a column twice",
         {u"report"_qs, good, u"--samples"_qs, twice, u"--lang=en"_qs},
         twice + u": line 1: column 3 of the header, \"name\", repeats column 1"_qs},
        {"English: a PDF onto its input %1",
         {u"report"_qs, twice, u"--pdf"_qs, twice, u"--lang=en"_qs},
         u"--pdf names "_qs + twice + u", an input file ("_qs + twice +
             u"): it is not overwritten"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, u"lumetra: "_qs + c.err + u'\n');
    }
}

// --blanks names its unnamed rows apart from every name in the list, so that a row referring to a
// sample by its name still finds exactly one.
TEST_F(CommandLine, UnnamedBlanksGetNamesNoRowHolds) {
    const QString samples = file(u"s.csv"_qs, "name,readings,type,of\n空白 1,9.0,,\n"
                                              "D1,9.1,duplicate,空白 1\n空白 2,2.2,blank,\n");
    const QString blanks = file(u"b.csv"_qs, "2.2\n空白 3,2.3\n2.1\n");
    const Outcome result = run({u"report"_qs, file(u"good.csv"_qs, kStandards), u"--samples"_qs,
                                samples, u"--blanks"_qs, blanks, u"--json"_qs});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray rows =
        QJsonDocument::fromJson(result.out.toUtf8()).object()[u"samples"_qs].toArray();
    QStringList names;
    for (const QJsonValue& row : rows) {
        names << row.toObject()[u"name"_qs].toString();
    }
    EXPECT_EQ(names, (QStringList{u"空白 1"_qs, u"D1"_qs, u"空白 2"_qs, u"空白 4"_qs, u"空白 3"_qs,
                                  u"空白 5"_qs}));
    EXPECT_TRUE(rows[1].toObject()[u"error"_qs].isNull()) << "the duplicate finds its sample";
    EXPECT_EQ(rows[1].toObject()[u"qc"_qs].toArray()[0].toObject()[u"rule"_qs].toString(),
              u"duplicate"_qs);
}

// Samples given on the command line replace those of the file, and 100 000 of them are reported.
TEST_F(CommandLine, HundredThousandSamplesReplaceThoseOfTheFile) {
    const QString calibration =
        file(u"curve.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,
        "unit":"mg","standards":[{"C":"0","A":"2.1"},{"C":"6","A":"12.6"},{"C":"12","A":"24.7"}],
        "samples":[{"name":"from the file","readings":"9","dilution":""}]})");
    QByteArray csv = "名称;读数;稀释倍数\n";
    for (int i = 0; i < 100'000; ++i) {
        csv += "S" + QByteArray::number(i) + ";" + QByteArray::number(2.5 + i % 200 * 0.1) +
               " 13,5;2\n";
    }
    const Outcome result =
        run({u"report"_qs, calibration, u"--samples"_qs, file(u"many.csv"_qs, csv)});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n');
    const qsizetype first = lines.indexOf(kSampleHeader) + 1;
    ASSERT_GT(first, 0);
    ASSERT_EQ(lines.size(), first + 100'000 + 1);
    EXPECT_FALSE(result.out.contains(u"from the file"_qs));
    EXPECT_TRUE(lines[first].startsWith(u"S0\t2.5 13.5\t2\t8\t2\t"_qs))
        << lines[first].toStdString();
    EXPECT_TRUE(lines[first + 99'999].startsWith(u"S99999\t22.4 13.5\t2\t"_qs));
}

// The figures of the JSON report for standards, options and a key path ("validation.mandel.pw").
struct JsonCase {
    const char* name;
    QByteArray standards;
    QStringList options;
    std::vector<std::pair<const char*, double>> figures; // NaN: null
    double printed = 0; // the published figures' half unit in their last printed digit
};

double figureAt(const QJsonObject& root, const char* path) {
    QJsonValue value = root;
    for (const QString& key : QString::fromUtf8(path).split(u'.')) {
        value = value.toObject().value(key);
    }
    return value.isNull() ? std::nan("") : value.toDouble();
}

// Exact decimals and magnitudes far from 1: the true figure, never a rounding noise or a 0 where a
// figure exists (each worked out in exact fractions).
TEST_F(CommandLine, FiguresFromTheDecimalsAtAnyMagnitude) {
    const double nan = std::nan("");
    const JsonCase cases[] = {
        {"standards exactly on a line",
         "1,.1\n2,.2\n3,.3\n",
         {},
         {{"s_yx", 0}, {"s_a", 0}, {"s_b", 0}, {"lod", 0}, {"loq", 0}, {"b", 0.1}}},
        // n Sxx overflows a double: s(a) = sqrt(1/450).
        {"concentrations near 1e154",
         "-7.071067811865475e153,1\n0,2.1\n7.071067811865475e153,3\n",
         {},
         {{"s_a", 0.0471404520791032}}},
        // The squared residuals underflow a double: s(y/x) = sqrt(7/20) * 1e-162.
        {"absorbances near 1e-155",
         "1,1e-155\n2,2.0000001e-155\n3,3e-155\n4,4e-155\n",
         {},
         {{"s_yx", 5.916079783099616e-163}}},
        // The decimals' slope, which the doubles lose.
        {"concentrations one unit apart in the last digit",
         "1,.1\n1,.2\n1.0000000000000002,.3\n",
         {},
         {{"b", 7.5e14}}},
        {"concentrations near 1e-200", "1e-200,.1\n2e-200,.2\n3e-200,.3\n", {}, {{"b", 1e199}}},
        // NIST StRD NoInt2 through the origin, certified.
        {"through the origin",
         "4,3\n5,4\n6,4\n",
         {u"--model"_qs, u"origin"_qs},
         {{"b", 0.727272727272727},
          {"s_b", 0.0420827318078432},
          {"s_yx", 0.369274472937998},
          {"r2", 0.993348115299335},
          {"a", nan},
          {"s_a", nan},
          {"c", nan}}},
        // DIN 32645's published example: x_c = 0.0698 at y_c = 3155.39, x_d = 0.1329 exactly,
        // x_q = 0.212; Mandel's PW = 0.077.
        {"DIN 32645",
         "0.05,3060\n0.10,3522\n0.15,3707\n0.20,4280\n0.25,5058\n0.30,5510\n0.35,5703\n"
         "0.40,6205\n0.45,7156\n0.50,7178\n",
         {},
         {{"validation.din32645.x_c", 0.0698},
          {"validation.din32645.x_d_exact", 0.1329},
          {"validation.din32645.x_q", 0.212},
          {"validation.mandel.pw", 0.077},
          {"validation.din32645.alpha", 0.01}},
         5e-4},
    };
    for (const JsonCase& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList arguments{u"report"_qs, file(u"s.csv"_qs, c.standards), u"--json"_qs};
        arguments += c.options;
        const Outcome result = run(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
        for (const auto& [key, expected] : c.figures) {
            SCOPED_TRACE(key);
            const double value = figureAt(root, key);
            if (std::isnan(expected)) {
                EXPECT_TRUE(std::isnan(value));
            } else if (expected == 0) {
                EXPECT_EQ(value, 0.0);
            } else if (c.printed > 0) {
                EXPECT_NEAR(value, expected, c.printed);
            } else {
                EXPECT_NEAR(value / expected, 1.0, 1e-12) << value;
            }
        }
    }
}

// The options a script gives, each checked; what a model cannot use is the data's fault (exit 1).
TEST_F(CommandLine, ModelOptionsAndTheirRefusals) {
    const QString good = file(u"good.csv"_qs, kStandards);
    const QString zero = file(u"zero.csv"_qs, "1,.15\n2,.2\n3,.3\n4,.1\n5,.2\n");
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString inError;
    };
    const Case cases[] = {
        {"a model that does not exist",
         {u"report"_qs, good, u"--model"_qs, u"cubic"_qs},
         2,
         u"--model 的值“cubic”无效，应为 line、origin、quadratic"_qs},
        {"a weighting that does not exist",
         {u"report"_qs, good, u"--weight"_qs, u"1/z"_qs},
         2,
         u"--weight"_qs},
        {"an exclusion out of range",
         {u"report"_qs, good, u"--exclude"_qs, u"3,9"_qs},
         2,
         u"--exclude 的“9”无效，应为1到7之间的标准点序号"_qs},
        {"a level that is no choice",
         {u"report"_qs, good, u"--level"_qs, u"90"_qs},
         2,
         u"--level"_qs},
        {"a zero volume", {u"report"_qs, good, u"--volume"_qs, u"0"_qs}, 2, u"--volume"_qs},
        {"1/x with a standard at 0",
         {u"report"_qs, good, u"--weight"_qs, u"1/x2"_qs},
         1,
         u"权重1/x²要求浓度不为0：第1个标准点为0，请排除该点或选择其他权重"_qs},
        {"1/x with that standard excluded",
         {u"report"_qs, good, u"--weight"_qs, u"1/x2"_qs, u"--exclude"_qs, u"1"_qs},
         0,
         {}},
        {"a slope of 0 in the decimals",
         {u"report"_qs, zero},
         1,
         u"斜率为0，无法由吸光度计算浓度"_qs},
        {"a second-order curve", {u"report"_qs, good, u"--model"_qs, u"quadratic"_qs}, 0, {}},
        {"digits and decimals without the switch",
         {u"report"_qs, good, u"--digits"_qs, u"3"_qs, u"--decimals"_qs, u"2"_qs},
         2,
         u"--digits 和 --decimals 只能选一个（除非给出 --switch-at）"_qs},
        {"the switch without the decimals",
         {u"report"_qs, good, u"--digits"_qs, u"3"_qs, u"--switch-at"_qs, u"1"_qs},
         2,
         u"--switch-at 需要同时给出 --decimals 和 --digits"_qs},
        {"the switch at 0",
         {u"report"_qs, good, u"--digits"_qs, u"3"_qs, u"--decimals"_qs, u"2"_qs, u"--switch-at"_qs,
          u"0"_qs},
         2,
         u"--switch-at 的值“0”无效，应为大于0的数"_qs},
        {"the switch with both",
         {u"report"_qs, good, u"--digits"_qs, u"3"_qs, u"--decimals"_qs, u"2"_qs, u"--switch-at"_qs,
          u"1"_qs},
         0,
         {}},
        {"a style that does not exist",
         {u"report"_qs, good, u"--below"_qs, u"l"_qs},
         2,
         u"--below 的值“l”无效，应为 nd、lt、L"_qs},
        {"a blank absorbance out of range",
         {u"report"_qs, good, u"--blank-absorbance-max"_qs, u"-1"_qs},
         2,
         u"--blank-absorbance-max"_qs},
        {"1/y after the blank correction",
         {u"report"_qs, good, u"--weight"_qs, u"1/y"_qs, u"--blank-correction"_qs},
         1,
         u"权重1/y要求吸光度不为0：第1个标准点的吸光度 2.1 经空白校正"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.inError)) << result.err.toStdString();
    }
    // The excluded standard's reason and the level's half-widths reach the report.
    const Outcome json =
        run({u"report"_qs, good, u"--json"_qs, u"--exclude"_qs, u"2"_qs, u"--level"_qs, u"99"_qs});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root[u"excluded"_qs].toArray(), QJsonArray({2}));
    EXPECT_EQ(root[u"points"_qs].toArray()[1].toObject()[u"reason"_qs].toString(),
              u"命令行排除"_qs);
    EXPECT_EQ(root[u"n"_qs].toInt(), 6);
    EXPECT_GT(root[u"ci_b"_qs].toDouble(), root[u"ci95_b"_qs].toDouble());
}

// A batch read from a samples file with its columns named by a header, the settings from the
// options: results in mg/L, one failed spike, --strict turns it into exit 3.
TEST_F(CommandLine, ABatchInReportingUnits) {
    const QString standards = file(u"std.csv"_qs, "0,.010\n1,.060\n2,.112\n3,.158\n4,.210\n");
    const QString samples =
        file(u"batch.csv"_qs, "name,readings,dilution,type,of,added\n"
                              "B1,0.013,,blank,,\nB2,0.011,,空白,,\nS1,0.162 0.164,2,,,\n"
                              "P2,0.240,2,spike,S1,4\n");
    const QStringList arguments{u"report"_qs,   standards,    u"--samples"_qs,
                                samples,        u"--json"_qs, u"--blank-correction"_qs,
                                u"--volume"_qs, u"50"_qs,     u"--result-unit"_qs,
                                u"mg/L"_qs};
    const Outcome result = run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    const QJsonArray rows = root[u"samples"_qs].toArray();
    EXPECT_EQ(rows[1].toObject()[u"type"_qs].toString(), u"blank"_qs) << "a key, never the name";
    EXPECT_EQ(rows[2].toObject()[u"result_text"_qs].toString(), u"0.121"_qs);
    EXPECT_EQ(rows[2].toObject()[u"result_unit"_qs].toString(), u"mg/L"_qs);
    const QJsonObject qc = rows[3].toObject()[u"qc"_qs].toArray()[0].toObject();
    EXPECT_EQ(qc[u"rule"_qs].toString(), u"spike"_qs);
    EXPECT_NEAR(qc[u"value"_qs].toDouble(), 77.3092, 1e-3);
    EXPECT_FALSE(qc[u"pass"_qs].toBool());
    EXPECT_EQ(root[u"qc_summary"_qs].toObject()[u"failed"_qs].toInt(), 1);
    EXPECT_EQ(run(arguments + QStringList{u"--strict"_qs}).exitCode, 3);
}

// A rule that cannot be judged is no pass: --strict exits 3 for it alone, and the report says so.
TEST_F(CommandLine, StrictCountsWhatCannotBeJudged) {
    const QString standards = file(u"std.csv"_qs, "0,.010\n1,.060\n2,.112\n3,.158\n4,.210\n");
    const QString samples = file(u"batch.csv"_qs, "name,readings,dilution,type,of,added\n"
                                                  "S1,0.162 0.164,2,,,\nP1,0.265,2,spike,S1,\n");
    const QStringList arguments{u"report"_qs, standards, u"--samples"_qs, samples, u"--json"_qs};
    const Outcome result = run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(root[u"report_version"_qs].toInt(), 2);
    const QJsonObject summary = root[u"qc_summary"_qs].toObject();
    EXPECT_EQ(summary[u"failed"_qs].toInt(), 0);
    EXPECT_EQ(summary[u"not_judged"_qs].toInt(), 1);
    const QJsonObject spike = root[u"samples"_qs].toArray()[1].toObject();
    EXPECT_TRUE(spike[u"qc_pass"_qs].isNull());
    EXPECT_EQ(spike[u"qc"_qs].toArray()[0].toObject()[u"reason"_qs].toString(), u"缺少加标量"_qs);
    EXPECT_EQ(run(arguments + QStringList{u"--strict"_qs}).exitCode, 3);
}

// A method applied first, the options given over it; a method file that cannot be used fails the
// run before anything is written.
TEST_F(CommandLine, MethodFirstAndOptionsOverIt) {
    const QString standards = file(u"std.csv"_qs, "0,.010\n1,.060\n2,.112\n3,.158\n4,.210\n");
    const QString samples = file(u"s.csv"_qs, "S1,0.162 0.164,2\nL1,0.015,\nB1,0.013,,blank\n");
    const QByteArray methodBytes = R"({"format": "lumetra-method", "version": 1, "name": "氨氮",
        "unit": "µg", "result_unit": "mg/L", "settings": {"volume": "50", "blank_correction": true,
        "limit": "mdl", "rounding": "switch", "digits": 3, "decimals": 2, "switch_at": 1,
        "below": "L", "blank_absorbance_max": 0.012}, "validated": {"mdl": 0.1}})";
    const QString method = file(u"nh3.lumetra-method"_qs, methodBytes);
    const QStringList arguments{u"report"_qs, standards,      u"--samples"_qs, samples,
                                u"--json"_qs, u"--method"_qs, method};
    Outcome result = run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QJsonObject root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    const QJsonObject settings = root[u"settings"_qs].toObject();
    EXPECT_EQ(settings[u"unit"_qs].toString(), u"µg"_qs);
    EXPECT_EQ(settings[u"rounding"_qs].toString(), u"switch"_qs);
    const QJsonObject identity = settings[u"method"_qs].toObject();
    EXPECT_EQ(identity[u"name"_qs].toString(), u"氨氮"_qs);
    EXPECT_EQ(identity[u"sha256"_qs].toString(),
              QString::fromLatin1(
                  QCryptographicHash::hash(methodBytes, QCryptographicHash::Sha256).toHex()));
    const QJsonObject limit = root[u"validation"_qs][u"reported_limit"_qs].toObject();
    EXPECT_EQ(limit[u"source"_qs].toString(), u"method"_qs);
    EXPECT_EQ(limit[u"value"_qs].toDouble(), 0.1);
    EXPECT_EQ(root[u"limits"_qs][u"reporting_unit"_qs][u"mdl"_qs].toDouble(), 0.1 / 50);
    QJsonArray rows = root[u"samples"_qs].toArray();
    // B1's .013 comes off: S1 (.163 - .013 - .0004) / .0498 · 2 / 50 = .1201606 mg/L is below the
    // switch: two decimals. L1 .0321 µg is below the MDL of 0.1: the limit converted, .002 mg/L,
    // to two decimals upward, and "L".
    EXPECT_EQ(rows[0].toObject()[u"result_text"_qs].toString(), u"0.12"_qs);
    EXPECT_EQ(rows[1].toObject()[u"result_text"_qs].toString(), u"0.01L"_qs);
    EXPECT_FALSE(rows[2].toObject()[u"qc_pass"_qs].toBool()) << "absorbance .013 over .012";

    // The options count over the method.
    result = run(arguments + QStringList{u"--digits"_qs, u"4"_qs, u"--below"_qs, u"nd"_qs,
                                         u"--limit"_qs, u"lod"_qs});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    root = QJsonDocument::fromJson(result.out.toUtf8()).object();
    rows = root[u"samples"_qs].toArray();
    EXPECT_EQ(rows[0].toObject()[u"result_text"_qs].toString(), u"0.1202"_qs);
    EXPECT_EQ(rows[1].toObject()[u"result_text"_qs].toString(), u"未检出"_qs);

    const QString damaged = file(u"bad.lumetra-method"_qs, methodBytes.left(60));
    result = run({u"report"_qs, standards, u"--method"_qs, damaged});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.startsWith(u"lumetra: "_qs + damaged)) << result.err.toStdString();
}

// --lang chooses the language of the help and the messages for one run; without it the command
// line speaks the language saved for the windows. Each run has a settings folder of its own. The
// English line is the one translated in translations/lumetra_en.ts.
TEST_F(CommandLine, LanguageFromTheOptionOrElseFromTheSettings) {
    struct Case {
        const char* name;
        QStringList arguments;
        bool englishSaved;
        int exitCode;
        QStringList out; // parts of standard output
        QString err;     // all of standard error
    };
    const QString good = file(u"good.csv"_qs, kStandards);
    const QString english = u"lumetra: report needs a file (usage: lumetra report FILE)\n"_qs;
    const QString chinese = u"lumetra: report 需要一个文件（用法：lumetra report FILE）\n"_qs;
    const Case cases[] = {
        {"English asked", {u"report"_qs, u"--lang"_qs, u"en"_qs}, false, 2, {}, english},
        {"English asked with =", {u"report"_qs, u"--lang=en"_qs}, false, 2, {}, english},
        {"Chinese asked, English saved",
         {u"report"_qs, u"--lang"_qs, u"zh"_qs},
         true,
         2,
         {},
         chinese},
        {"none asked, English saved", {u"report"_qs}, true, 2, {}, english},
        {"none asked, none saved", {u"report"_qs}, false, 2, {}, chinese},
        {"the last one asked",
         {u"report"_qs, u"--lang"_qs, u"zh"_qs, u"--lang"_qs, u"en"_qs},
         false,
         2,
         {},
         english},
        {"Qt's help in English",
         {u"--help"_qs, u"--lang"_qs, u"en"_qs},
         false,
         0,
         {u"Usage: "_qs, u"--lang <zh|en>"_qs},
         {}},
        {"Qt's help in Chinese", {u"--help"_qs}, false, 0, {u"用法"_qs, u"--lang <zh|en>"_qs}, {}},
        {"French, English saved",
         {u"report"_qs, good, u"--lang"_qs, u"fr"_qs},
         true,
         2,
         {},
         u"lumetra: Invalid value “fr” for --lang: expected zh, en\n"_qs},
        {"French, none saved",
         {u"report"_qs, good, u"--lang"_qs, u"fr"_qs},
         false,
         2,
         {},
         u"lumetra: --lang 的值“fr”无效，应为 zh、en\n"_qs},
        {"no language",
         {u"report"_qs, good, u"--lang="_qs},
         false,
         2,
         {},
         u"lumetra: --lang 需要一个值（zh|en）\n"_qs},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        // Where the program keeps its settings, written as the windows write them.
        const QString config = dir.filePath(QStringLiteral("config%1").arg(i));
        ASSERT_TRUE(QDir().mkpath(config));
        if (c.englishSaved) {
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
            QSettings(QSettings::UserScope, u"lumetra"_qs, u"lumetra"_qs)
                .setValue(u"language"_qs, u"en"_qs);
        }
        QProcessEnvironment environment;
        environment.insert(u"XDG_CONFIG_HOME"_qs, config);
        const Outcome result = run(c.arguments, environment);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.err);
        for (const QString& part : c.out) {
            EXPECT_TRUE(result.out.contains(part)) << part.toStdString();
        }
    }
}

} // namespace
