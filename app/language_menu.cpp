#include "app/language_menu.h"

#include "analysis/analysis_window.h"
#include "app/language.h"
#include "ui/prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace app {

namespace {

struct Choice {
    QString language, name, objectName;
    const char* told; // said in the language in use, a whole sentence for each choice
};

// Each language by its own name, whatever the interface's language.
const Choice& choiceOf(const QString& language) {
    static const Choice choices[] = {
        {u"zh"_s, u"中文"_s, u"languageZh"_s,
         QT_TRANSLATE_NOOP("app::LanguageMenu", "界面语言将在下次启动时切换为中文。")},
        {u"en"_s, u"English"_s, u"languageEn"_s,
         QT_TRANSLATE_NOOP("app::LanguageMenu", "界面语言将在下次启动时切换为English。")},
    };
    return language == u"en" ? choices[1] : choices[0];
}

} // namespace

void chooseLanguage(const QString& language, ui::Prompts& prompts) {
    const Choice& choice = choiceOf(language);
    saveLanguage(choice.language);
    if (choice.language != currentLanguage()) {
        prompts.tell(QCoreApplication::translate("app::LanguageMenu", choice.told));
    }
}

void followLanguageMenu(analysis::AnalysisWindow& window, ui::Prompts& prompts) {
    QObject::connect(&window, &analysis::AnalysisWindow::languageRequested, &window,
                     [&window, &prompts](const QString& language) {
                         chooseLanguage(language, prompts);
                         window.setLanguage(savedLanguage());
                     });
    window.setLanguage(savedLanguage());
    // The main window's menu may have changed the choice since.
    if (auto* menu = window.findChild<QMenu*>(u"languageMenu"_s)) {
        QObject::connect(menu, &QMenu::aboutToShow, &window,
                         [&window] { window.setLanguage(savedLanguage()); });
    }
}

QMenu* addLanguageMenu(QWidget& owner, ui::Prompts& prompts) {
    auto* separator = new QAction(&owner);
    separator->setSeparator(true);
    owner.addAction(separator);

    //: Kept in both languages, so that whoever cannot read the interface still finds it.
    auto* menu =
        new QMenu(QCoreApplication::translate("app::LanguageMenu", "语言 / Language"), &owner);
    menu->setObjectName(u"languageMenu"_s);
    auto* group = new QActionGroup(menu);
    for (const QString& language : {u"zh"_s, u"en"_s}) {
        const Choice& choice = choiceOf(language);
        auto* action = new QAction(choice.name, group);
        action->setObjectName(choice.objectName);
        action->setCheckable(true);
        action->setData(choice.language);
        menu->addAction(action);
        QObject::connect(action, &QAction::triggered, menu,
                         [&prompts, language] { chooseLanguage(language, prompts); });
    }
    // Another menu may have changed the choice since.
    const auto showSaved = [menu] {
        const QString saved = savedLanguage();
        for (QAction* action : menu->actions()) {
            action->setChecked(action->data().toString() == saved);
        }
    };
    showSaved();
    QObject::connect(menu, &QMenu::aboutToShow, menu, showSaved);
    owner.addAction(menu->menuAction());
    return menu;
}

} // namespace app
