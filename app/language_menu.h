#pragma once

// The choice of the interface's language, "语言 / Language": "中文" and "English", each named in
// its own language. The choice is saved (app/language.h) and applies at the next start, which the
// user is told in the language in use.

class QMenu;
class QString;
class QWidget;
namespace analysis {
class AnalysisWindow;
}
namespace ui {
class Prompts;
}

namespace app {

// Adds the submenu, after a separator, to `owner`: a window whose context menu lists its actions,
// or a menu. Its actions are languageZh and languageEn, the saved choice checked. Returns the
// submenu.
QMenu* addLanguageMenu(QWidget& owner, ui::Prompts& prompts);

// The choice of "zh" or "en" made: saved, and the user told when it is not the language in use.
void chooseLanguage(const QString& language, ui::Prompts& prompts);

// The analysis window's own "语言 / Language" menu made a choice like the main window's, its
// check on the saved language.
void followLanguageMenu(analysis::AnalysisWindow& window, ui::Prompts& prompts);

} // namespace app
