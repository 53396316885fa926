#pragma once

namespace analysis {
class AnalysisWindow;
}
namespace ui {
class MainWindow;
}

namespace app {

// The main window opens the analysis window by F2, by a double click on the equation and from its
// context menu.
// Nothing of the main window's designed keys, texts or focus changes.
void attachAnalysis(ui::MainWindow& main, analysis::AnalysisWindow& analysis);

} // namespace app
