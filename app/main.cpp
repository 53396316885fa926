#include "analysis/pdf_module.h"
#include "app/command_line.h"
#include "app/language.h"
#include "app/report_run.h"
#include "app/windows_module.h"
#include "io/files.h"
#include "io/module_loader.h"

#include <QCoreApplication>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

// A standard descriptor the program was started without (`>&-`) is taken by /dev/null before
// anything else opens a file, so that no file or pipe of the program's own becomes standard
// output. Standard output is opened for reading only: every write to it fails, and is reported.
void holdClosedStandardDescriptors() {
    for (const int fd : {0, 1, 2}) {
        if (::fcntl(fd, F_GETFD) == -1) {
            const int opened = ::open("/dev/null", fd == 2 ? O_WRONLY : O_RDONLY);
            if (opened >= 0 && opened != fd) {
                ::dup2(opened, fd);
                ::close(opened);
            }
        }
    }
}

// `lumetra FILE`: one argument that is neither an option nor one of the command line's words
// "report" and "qc" opens that file in the windows. Everything else with arguments is the command
// line.
bool opensFileInWindows(int argc, char* argv[]) {
    if (argc != 2) {
        return false;
    }
    const QByteArray argument(argv[1]);
    return !argument.isEmpty() && !argument.startsWith('-') && argument != "report" &&
           argument != "qc";
}

// `--pdf OUT.pdf` or `--pdf=OUT.pdf`: the report drawn as a PDF.
bool writesPdf(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--pdf" || argument.startsWith("--pdf=")) {
            return true;
        }
    }
    return false;
}

// `--lang en|zh` or `--lang=en`: the command line's language for this run, read before the
// application exists; the last one given counts, as it does for QCommandLineParser. "" when none
// is given or its value is neither, which the command line then reports as a usage error.
QString languageOption(int argc, char* argv[]) {
    QString language;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--") {
            break;
        }
        QByteArray value;
        if (argument == "--lang" && i + 1 < argc) {
            value = argv[++i];
        } else if (argument.startsWith("--lang=")) {
            value = argument.mid(7);
        } else {
            continue;
        }
        language = value == "en" || value == "zh" ? QString::fromLatin1(value) : QString();
    }
    return language;
}

// The arguments but `--lang VALUE` and `--lang=VALUE`, the program's name first.
std::vector<char*> withoutLanguage(int argc, char* argv[]) {
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--lang" && i + 1 < argc) {
            ++i;
        } else if (!argument.startsWith("--lang=")) {
            rest.push_back(argv[i]);
        }
    }
    return rest;
}

} // namespace

int main(int argc, char* argv[]) {
    // `lumetra --lang en` and `lumetra --lang en FILE`: the windows in that language for this
    // run, the saved choice left as it is. A language that is neither goes to the command line,
    // which names the mistake.
    const QString language = languageOption(argc, argv);
    std::vector<char*> windowArguments = withoutLanguage(argc, argv);
    const bool windows = argc == 1 || opensFileInWindows(argc, argv) ||
                         (!language.isEmpty() && (windowArguments.size() == 1 ||
                                                  opensFileInWindows(int(windowArguments.size()),
                                                                     windowArguments.data())));

    // The command line needs no display: it loads neither Qt Widgets nor Qt Gui, and makes no
    // GUI application but for --pdf, whose pages need Qt's fonts: the PDF module makes it on the
    // offscreen platform (analysis/pdf_module.h). The windows are a module too, loaded below.
    if (!windows) {
        holdClosedStandardDescriptors();
        // Qt's own notes (the runtime folder the offscreen platform would like) are not the
        // command line's one line of error; only its fatal ones are.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                const QByteArray bytes = text.toUtf8() + '\n';
                std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
            }
        });
        // The PDF's application comes from the module that draws it; without the module the run
        // goes on under a QCoreApplication, and --pdf then names the reason (command_line.cpp).
        static int guiArgc = 1;
        std::unique_ptr<QCoreApplication> application;
        if (writesPdf(argc, argv)) {
            if (const analysis::PdfModule* pdf = app::pdfModule(nullptr)) {
                application.reset(pdf->application(guiArgc, argv));
            }
        }
        if (application == nullptr) {
            application = std::make_unique<QCoreApplication>(argc, argv);
        }
        QCoreApplication::setOrganizationName(QStringLiteral("lumetra"));
        QCoreApplication::setApplicationName(QStringLiteral("lumetra"));
        QCoreApplication::setApplicationVersion(QStringLiteral(LUMETRA_VERSION));
        // The program's texts and Qt's own (the help's "用法：", the standard options) in the
        // language asked for, else in the one the windows use.
        app::installLanguage(*application, language.isEmpty() ? app::savedLanguage() : language);
        // File names are bytes: one that is not UTF-8 is kept as it is (io::pathFromNative),
        // where QCoreApplication::arguments() would lose its bytes.
        QStringList arguments;
        for (int i = 0; i < argc; ++i) {
            arguments.append(io::pathFromNative(QByteArray(argv[i])));
        }
        return app::runCommandLine(arguments);
    }
    QString whyNot;
    const app::WindowsModule* module = io::loadedModule<app::WindowsModule>(
        LUMETRA_WINDOWS_MODULE_FROM_BINDIR, LUMETRA_WINDOWS_MODULE_IN_BUILD, "lumetraWindowsModule",
        whyNot, io::ModuleBinding::OwnLibrariesFirst);
    if (module == nullptr) {
        // One line of error in the language the windows would have used, and no window.
        QCoreApplication application(argc, argv);
        QCoreApplication::setOrganizationName(QStringLiteral("lumetra"));
        QCoreApplication::setApplicationName(QStringLiteral("lumetra"));
        app::installLanguage(application, language.isEmpty() ? app::savedLanguage() : language);
        return app::fail(app::kFailure, app::CommandLine::tr("无法加载窗口模块（%1）").arg(whyNot));
    }
    return module->run(argc, argv, language,
                       windowArguments.size() == 2
                           ? io::pathFromNative(QByteArray(windowArguments[1]))
                           : QString());
}
