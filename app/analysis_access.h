#pragma once

namespace analysis {
class AnalysisWindow;
}
namespace ui {
class MainWindow;
}

namespace app {

// Ties the analysis window to the main window: it follows the worksheet's announcements, and
// the main window opens it by F2, by a double click on the equation and from its context menu.
// Nothing of the main window's designed keys, texts or focus changes.
void attachAnalysis(ui::MainWindow& main, analysis::AnalysisWindow& analysis);

} // namespace app
