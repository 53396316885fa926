#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

namespace analysis {
class AnalysisWindow;
}
namespace calibration {
struct Standard;
}
namespace ui {
class MainWindow;
}

namespace app {

// Fills the main window as the user would, through its designed handlers, so that every rule of
// the design applies (ui::MainWindowFacade::fillStandards): cleared, the unit, the count, each
// standard's texts, then the fit. The standards must fit the window (calibration::windowProblem).
void fillWorksheet(ui::MainWindow& main, const QString& unit,
                   const std::vector<calibration::Standard>& standards);

// Clears the main window as its two 清零 buttons do.
void clearWorksheet(ui::MainWindow& main);

// Whether the main window holds anything typed or computed: a text in the table, the count box or
// the sample box, or a fitted curve.
bool worksheetHoldsData(ui::MainWindow& main);

// The one rule that ties the main window to the document of the analysis window:
// - each fit in the main window replaces the document's standards and unit (the standards' own
//   exclusions kept); before it replaces standards the main window did not show (more than ten,
//   or texts longer than its boxes), the document is kept as a backup file and the analysis
//   window says so;
// - each sample computed there joins the sample list as "样品 N" with its result;
// - whenever the document's standards change from anywhere else, they are filled into the main
//   window when they fit it, and otherwise the main window is cleared and the analysis window
//   says why it does not show this curve. The fit of a filling writes back only the texts as it
//   left them: one pass, no loop, no change to the document's state.
class WorksheetLink final : public QObject {
public:
    // `keepBackup` writes the document to a new backup file and gives its path ("" when it
    // failed, said by the caller).
    WorksheetLink(ui::MainWindow& main, analysis::AnalysisWindow& analysis,
                  std::function<QString()> keepBackup);

    bool filling() const { return filling_; }

private:
    void mainWindowFitted();
    void documentStandardsChanged(int from);
    void settingsChanged();

    ui::MainWindow& main_;
    analysis::AnalysisWindow& analysis_;
    std::function<QString()> keepBackup_;
    bool filling_ = false;
    bool addition_ = false; // the document a standard addition when the main window was last set
};

} // namespace app
