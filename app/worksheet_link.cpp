#include "app/worksheet_link.h"

#include "analysis/analysis_window.h"
#include "analysis/current_calibration.h"
#include "calc/number_text.h"
#include "calibration/entries.h"
#include "calibration/results.h"
#include "io/document_text.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/worksheet_events.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace app {

namespace {

using analysis::CurrentCalibration;

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The rows in use (0..PointCount-1) as the fit left their texts.
std::vector<calibration::Standard> mainWindowStandards(const ui::MainWindow& main) {
    const worksheet::State state = main.sheet().state();
    const int count = state.PointCount.value() > 0 ? state.PointCount.toInt16().value_or(0) : 0;
    const ui::MainWindowControls& c = main.controls();
    std::vector<calibration::Standard> standards;
    for (int i = 0; i < count && i < worksheet::kRows; ++i) {
        standards.push_back({io::toDocument(c.Text1[std::size_t(i)]->text()),
                             io::toDocument(c.Text2[std::size_t(i)]->text()),
                             false,
                             {}});
    }
    return standards;
}

} // namespace

void fillWorksheet(ui::MainWindow& main, const QString& unit,
                   const std::vector<calibration::Standard>& standards) {
    worksheet::Worksheet& sheet = main.sheet();
    const ui::MainWindowControls& c = main.controls();
    sheet.command5_Click();
    sheet.Command8_Click();
    const int listed = c.Combo1->findText(unit);
    if (listed >= 0) {
        c.Combo1->setCurrentIndex(listed);
    }
    c.Combo1->setEditText(unit);
    c.Text4->SetText(std::to_string(standards.size()));
    sheet.command9_Click();
    for (std::size_t i = 0; i < standards.size() && i < std::size_t(worksheet::kRows); ++i) {
        c.Text1[i]->SetText(standards[i].c);
        c.Text2[i]->SetText(standards[i].a);
    }
    sheet.command4_Click();
}

void clearWorksheet(ui::MainWindow& main) {
    main.sheet().command5_Click();
    main.sheet().Command8_Click();
}

bool worksheetHoldsData(const ui::MainWindow& main) {
    const ui::MainWindowControls& c = main.controls();
    for (int i = 0; i < worksheet::kRows; ++i) {
        if (!c.Text1[std::size_t(i)]->text().isEmpty() ||
            !c.Text2[std::size_t(i)]->text().isEmpty()) {
            return true;
        }
    }
    return !c.Text4->text().isEmpty() || !c.Text7->text().isEmpty() || main.curve().has_value();
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
    const std::string unit = utf8(main_.controls().Combo1->currentText());
    if (filling_) {
        calibration.setStandards(mainWindowStandards(main_), unit,
                                 CurrentCalibration::From::Filling);
        return;
    }
    const std::vector<calibration::Standard>& before = calibration.document().standards;
    if (!before.empty() && calibration::windowProblem(before)) {
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
        calibration::windowProblem(document.standards);
    // The designed window knows the external calibration only: a standard addition's line is no
    // curve to read samples from.
    if (!problem && !document.standards.empty() && calibration::isAddition(document.settings)) {
        filling_ = true;
        clearWorksheet(main_);
        main_.controls().Combo1->setEditText(io::fromDocument(document.unit));
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
    main_.controls().Combo1->setEditText(io::fromDocument(document.unit));
    filling_ = false;
    analysis_.setMainWindowNote(
        document.standards.empty() ? QString() : io::fromDocument(calibration::render(*problem)));
}

} // namespace app
