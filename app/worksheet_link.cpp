#include "app/worksheet_link.h"

#include "analysis/analysis_window.h"
#include "analysis/current_calibration.h"
#include "calc/number_text.h"
#include "calibration/entries.h"
#include "calibration/results.h"
#include "io/document_text.h"
#include "ui/main_window.h"
#include "ui/main_window_facade.h"
#include "ui/worksheet_events.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace app {

namespace {

using analysis::CurrentCalibration;

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The rows in use as the fit left their texts.
std::vector<calibration::Standard> mainWindowStandards(ui::MainWindow& main) {
    std::vector<calibration::Standard> standards;
    for (const auto& [c, a] : ui::MainWindowFacade(main).standards()) {
        standards.push_back({io::toDocument(c), io::toDocument(a), false, {}});
    }
    return standards;
}

} // namespace

void fillWorksheet(ui::MainWindow& main, const QString& unit,
                   const std::vector<calibration::Standard>& standards) {
    std::vector<ui::MainWindowFacade::Standard> rows;
    rows.reserve(standards.size());
    for (const calibration::Standard& standard : standards) {
        rows.push_back({standard.c, standard.a});
    }
    ui::MainWindowFacade(main).fillStandards(unit, rows);
}

void clearWorksheet(ui::MainWindow& main) {
    ui::MainWindowFacade(main).clear();
}

bool worksheetHoldsData(ui::MainWindow& main) {
    return ui::MainWindowFacade(main).holdsData();
}

WorksheetLink::WorksheetLink(ui::MainWindow& main, analysis::AnalysisWindow& analysis,
                             std::function<QString()> keepBackup)
    : QObject(&main), main_(main), analysis_(analysis), keepBackup_(std::move(keepBackup)) {
    CurrentCalibration& calibration = analysis.calibration();
    const ui::WorksheetEvents* events = main.events();
    connect(events, &ui::WorksheetEvents::curveFitted, this, &WorksheetLink::mainWindowFitted);
    connect(events, &ui::WorksheetEvents::sampleComputed, this,
            [this, &calibration](const QString& absorbance, const QString& result, const QString&) {
                calibration::Sample sample;
                sample.name = calibration.nextSampleName();
                sample.readings = io::toDocument(absorbance.trimmed());
                sample.mainResult = io::toDocument(result);
                calibration.appendSamples({sample}, "main_window");
                analysis_.setCurrentSample(calc::strictParse(utf8(absorbance)));
            });
    connect(events, &ui::WorksheetEvents::sampleCleared, this,
            [this] { analysis_.setCurrentSample(std::nullopt); });
    connect(events, &ui::WorksheetEvents::unitChanged, this,
            [this, &calibration](const QString& unit) {
                calibration.setUnit(io::toDocument(unit),
                                    filling_ ? CurrentCalibration::From::Filling
                                             : CurrentCalibration::From::MainWindow);
            });
    connect(&calibration, &CurrentCalibration::standardsChanged, this,
            [this](CurrentCalibration::From from) { documentStandardsChanged(int(from)); });
    connect(&calibration, &CurrentCalibration::resultsChanged, this,
            &WorksheetLink::settingsChanged);
    // A curve the main window already holds is the document's from the start.
    if (main.curve()) {
        mainWindowFitted();
    }
}

void WorksheetLink::mainWindowFitted() {
    CurrentCalibration& calibration = analysis_.calibration();
    const std::string unit = utf8(ui::MainWindowFacade(main_).unit());
    if (filling_) {
        calibration.setStandards(mainWindowStandards(main_), unit,
                                 CurrentCalibration::From::Filling);
        return;
    }
    const std::vector<calibration::Standard>& before = calibration.document().standards;
    if (!before.empty() && calibration::windowProblem(before, calibration.curve())) {
        // Standards the main window did not show are about to go: nothing typed is lost.
        analysis_.setBackup(keepBackup_());
    }
    calibration.setStandards(mainWindowStandards(main_), unit, CurrentCalibration::From::MainWindow,
                             "main_window");
}

// A switch to or from standard addition empties or fills the main window as opening the
// document would.
void WorksheetLink::settingsChanged() {
    const bool addition = calibration::isAddition(analysis_.calibration().document().settings);
    if (addition != addition_) {
        documentStandardsChanged(int(CurrentCalibration::From::Elsewhere));
    }
}

void WorksheetLink::documentStandardsChanged(int fromValue) {
    const auto from = CurrentCalibration::From(fromValue);
    if (from != CurrentCalibration::From::Elsewhere) {
        analysis_.setMainWindowNote({});
        return;
    }
    const calibration::Document& document = analysis_.calibration().document();
    addition_ = calibration::isAddition(document.settings);
    const std::optional<calibration::Message> problem =
        calibration::windowProblem(document.standards, analysis_.calibration().curve());
    // The designed window knows the external calibration only: a standard addition's line is no
    // curve to read samples from.
    if (!problem && !document.standards.empty() && calibration::isAddition(document.settings)) {
        filling_ = true;
        clearWorksheet(main_);
        ui::MainWindowFacade(main_).setUnit(io::fromDocument(document.unit));
        filling_ = false;
        analysis_.setMainWindowNote(
            QCoreApplication::translate("app::WorksheetLink", "标准加入模式，主窗口不显示此曲线"));
        return;
    }
    if (!problem) {
        analysis_.setMainWindowNote({});
        filling_ = true;
        fillWorksheet(main_, io::fromDocument(document.unit), document.standards);
        filling_ = false;
        return;
    }
    filling_ = true;
    clearWorksheet(main_);
    ui::MainWindowFacade(main_).setUnit(io::fromDocument(document.unit));
    filling_ = false;
    analysis_.setMainWindowNote(
        document.standards.empty() ? QString() : io::fromDocument(calibration::render(*problem)));
}

} // namespace app
