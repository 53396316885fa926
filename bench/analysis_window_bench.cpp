// Timings of the analysis window beside the real main window, under the offscreen platform:
// building it (part of "运行程序"), its first showing after a fit, and its update after a fit,
// each until its plots are painted; and a sample computed in the main window with 0, 10 000 and
// 100 000 rows in the sample list, the last worksheet rewritten inside the handler. Prints the
// median, minimum and maximum of each; asserts nothing. Usage: lumetra_analysis_window_bench
// [RUNS]

#include "analysis/analysis_window.h"
#include "analysis/current_calibration.h"
#include "app/calibration_files.h"
#include "app/language.h"
#include "app/lumetra.h"
#include "ui/application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Nothing may wait for a user here.
class NoPrompts final : public ui::Prompts {
public:
    void message(std::string_view text) override {
        std::fprintf(stderr, "unexpected message: %.*s\n", int(text.size()), text.data());
        std::exit(1);
    }
    void beep() override {}
    bool ask(const QString&) override { return true; }
    SaveChoice askSave(const QString&) override { return SaveChoice::Discard; }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// Counts the paint events of the widgets it watches.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Events until both plots have been painted again; the elapsed time in milliseconds since the
// timer started.
double untilPainted(PaintCounter& counter, const QElapsedTimer& timer) {
    while (counter.paints < 2) {
        QCoreApplication::processEvents();
        if (timer.elapsed() > 5000) {
            std::fprintf(stderr, "the plots were not painted (%d)\n", counter.paints);
            std::exit(1);
        }
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

void type(QWidget* window, const QString& box, const QString& text) {
    QTest::mouseClick(window->findChild<QWidget*>(box), Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// The fluorescence standards of the worked example, fitted in the main window.
void fitWorkedExample(ui::MainWindow& main) {
    const char* x[] = {"0", "2", "4", "6", "8", "10", "12"};
    const char* y[] = {"2.1", "5.0", "9.0", "12.6", "17.3", "21.0", "24.7"};
    type(&main, QStringLiteral("Text4"), QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    for (int i = 0; i < 7; ++i) {
        type(&main, QStringLiteral("Text1(%1)").arg(i), QString::fromLatin1(x[i]));
        type(&main, QStringLiteral("Text2(%1)").arg(i), QString::fromLatin1(y[i]));
    }
    QTest::mouseClick(main.findChild<QWidget*>(QStringLiteral("command4")), Qt::LeftButton);
    type(&main, QStringLiteral("Text7"), QStringLiteral("13.5"));
    QTest::mouseClick(main.findChild<QWidget*>(QStringLiteral("Command7")), Qt::LeftButton);
}

struct Series {
    const char* what;
    std::vector<double> ms;
};

void report(Series& s) {
    std::sort(s.ms.begin(), s.ms.end());
    const std::size_t n = s.ms.size();
    const double median = n % 2 ? s.ms[n / 2] : (s.ms[n / 2 - 1] + s.ms[n / 2]) / 2;
    std::printf("| %s | %.2f | %.2f | %.2f | %zu |\n", s.what, median, s.ms.front(), s.ms.back(),
                n);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The offscreen platform regrets at every showing that it cannot raise a window.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtWarningMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        }
    });
    // The last worksheet is written after every fit and sample: into a folder of the benchmark's
    // own, never the user's.
    QTemporaryDir dataHome;
    if (!dataHome.isValid()) {
        return 1;
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    QApplication application(argc, argv);
    ui::setUpApplication(application);
    app::installLanguage(application, QStringLiteral("zh"));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    NoPrompts prompts;

    Series firstProcess{"first showing, the first in the process", {}};
    Series build{"building the window (in 运行程序)", {}};
    Series first{"first showing after a fit", {}};
    Series update{"update after a new curve, shown (setStandards + repaint)", {}};
    Series setOnly{"of which setStandards, shown, before the repaint", {}};
    Series plotsOnly{"the two plots repainted alone", {}};
    Series hidden{"update after a new curve, closed (setStandards)", {}};

    for (int run = 0; run < runs; ++run) {
        app::Lumetra lumetra(prompts);
        lumetra.start();
        lumetra.run();
        ui::MainWindow& main = *lumetra.mainWindow();
        if (!QTest::qWaitForWindowExposed(&main)) {
            return 1;
        }
        {
            QElapsedTimer timer;
            timer.start();
            analysis::CurrentCalibration calibration;
            analysis::AnalysisWindow spare(&main, calibration, prompts);
            build.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        fitWorkedExample(main);
        // Two sets of standards, one absorbance apart, set in turn as any change of the document
        // sets them.
        analysis::CurrentCalibration& calibration = *lumetra.calibration();
        const std::vector<calibration::Standard> fitted = calibration.document().standards;
        std::vector<calibration::Standard> other = fitted;
        other[3].a = "12.9";
        const auto setCurve = [&calibration](const std::vector<calibration::Standard>& standards) {
            calibration.setStandards(standards, std::nullopt,
                                     analysis::CurrentCalibration::From::Filling);
        };

        analysis::AnalysisWindow& window = *lumetra.analysisWindow();
        QElapsedTimer timer;
        timer.start();
        setCurve(other);
        setCurve(fitted);
        hidden.ms.push_back(double(timer.nsecsElapsed()) / 2e6);

        PaintCounter counter;
        for (const char* plot : {"calibrationPlot", "residualPlot"}) {
            window.findChild<QWidget*>(QString::fromLatin1(plot))->installEventFilter(&counter);
        }
        timer.start();
        window.open();
        (run == 0 ? firstProcess : first).ms.push_back(untilPainted(counter, timer));

        for (int i = 0; i < 10; ++i) {
            counter.paints = 0;
            timer.start();
            setCurve(i % 2 ? fitted : other);
            setOnly.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            update.ms.push_back(untilPainted(counter, timer));
        }
        for (int i = 0; i < 10; ++i) {
            counter.paints = 0;
            timer.start();
            for (const char* plot : {"calibrationPlot", "residualPlot"}) {
                window.findChild<QWidget*>(QString::fromLatin1(plot))->update();
            }
            plotsOnly.ms.push_back(untilPainted(counter, timer));
        }
    }

    // A sample computed in the main window (Command7 clicked, its handler run to the end) with a
    // sample list of 0, 10 000 and 100 000 rows; the analysis window closed.
    std::vector<Series> samples{{"sample computed, 0 rows in the list", {}},
                                {"sample computed, 10 000 rows in the list", {}},
                                {"sample computed, 100 000 rows in the list", {}}};
    const int rows[] = {0, 10'000, 100'000};
    for (std::size_t k = 0; k < samples.size(); ++k) {
        app::Lumetra lumetra(prompts);
        lumetra.start();
        lumetra.run();
        ui::MainWindow& main = *lumetra.mainWindow();
        if (!QTest::qWaitForWindowExposed(&main)) {
            return 1;
        }
        fitWorkedExample(main);
        std::vector<calibration::Sample> list(std::size_t(rows[k]));
        for (int i = 0; i < rows[k]; ++i) {
            list[std::size_t(i)].name = "样品 " + std::to_string(i);
            list[std::size_t(i)].readings = "0.512 0.515";
            list[std::size_t(i)].dilution = "1";
        }
        lumetra.calibration()->appendSamples(std::move(list));
        lumetra.files()->flushLast();
        for (int i = 0; i < runs; ++i) {
            QTest::mouseClick(main.findChild<QWidget*>(QStringLiteral("Command8")), Qt::LeftButton);
            type(&main, QStringLiteral("Text7"), QStringLiteral("13.5"));
            QWidget* compute = main.findChild<QWidget*>(QStringLiteral("Command7"));
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(compute, Qt::LeftButton);
            samples[k].ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        lumetra.files()->flushLast();
        std::fprintf(stderr, "last worksheet with %d rows: %lld bytes\n", rows[k],
                     QFileInfo(app::lastWorksheetPath()).size());
    }

    std::printf("| what | median (ms) | min (ms) | max (ms) | runs |\n|---|---:|---:|---:|---:|\n");
    for (Series* s : {&firstProcess, &first, &update, &setOnly, &plotsOnly, &hidden, &build,
                      &samples[0], &samples[1], &samples[2]}) {
        if (!s->ms.empty()) {
            report(*s);
        }
    }
    return 0;
}
