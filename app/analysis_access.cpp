#include "app/analysis_access.h"

#include "analysis/analysis_window.h"
#include "ui/controls.h"
#include "ui/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

namespace app {

namespace {

// Opens the analysis window on a double click of the label it watches.
class DoubleClickOpener final : public QObject {
public:
    DoubleClickOpener(QObject* parent, analysis::AnalysisWindow& window)
        : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            window_.open();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    analysis::AnalysisWindow& window_;
};

} // namespace

void attachAnalysis(ui::MainWindow& main, analysis::AnalysisWindow& analysis) {
    // F2 types no character, so it is no key of the worksheet's; the action also fills the
    // window's context menu.
    auto* open =
        new QAction(QCoreApplication::translate("app::AnalysisAccess", "标准曲线分析 (F2)"), &main);
    open->setObjectName(QStringLiteral("openAnalysis"));
    open->setShortcut(Qt::Key_F2);
    open->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(open, &QAction::triggered, &analysis, &analysis::AnalysisWindow::open);
    main.addAction(open);
    main.setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* equation = main.findChild<QLabel*>(QStringLiteral("Label6"));
    equation->setToolTip(
        QCoreApplication::translate("app::AnalysisAccess", "双击打开标准曲线分析 (F2)"));
    equation->installEventFilter(new DoubleClickOpener(equation, analysis));
}

} // namespace app
