#include "app/lumetra.h"

#include "analysis/current_calibration.h"
#include "app/analysis_access.h"
#include "app/language_menu.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace app {

Lumetra::Lumetra(ui::Prompts& prompts) : prompts_(prompts) {
    QObject::connect(&cover_, &ui::CoverWindow::runRequested, &cover_, [this] { run(); });
    QObject::connect(&cover_, &ui::CoverWindow::exitRequested, &cover_, [this] { exitProgram(); });
}

void Lumetra::start() {
    cover_.display();
}

void Lumetra::run() {
    if (!main_) {
        main_ = std::make_unique<ui::MainWindow>(prompts_);
        QObject::connect(main_.get(), &ui::MainWindow::backToCoverRequested, main_.get(),
                         [this] { backToCover(); });
        calibration_ = std::make_unique<analysis::CurrentCalibration>();
        analysis_ = new analysis::AnalysisWindow(main_.get(), *calibration_, prompts_);
        attachAnalysis(*main_, *analysis_);
        files_ = new CalibrationFiles(*main_, *analysis_, prompts_);
        addLanguageMenu(*main_, prompts_);
        followLanguageMenu(*analysis_, prompts_);
    }
    main_->display();
    if (analysisWasOpen_) {
        analysis_->show();
    }
    cover_.hide();
}

void Lumetra::backToCover() {
    analysisWasOpen_ = analysis_->isVisible();
    analysis_->hide();
    main_->hide();
    cover_.display();
}

// A calibration file opens as 打开… opens it; any other file is read as the standards of a CSV
// file, as the command line reads it.
void Lumetra::runWithFile(const QString& path) {
    run();
    analysis_->open();
    if (QFileInfo(path).suffix().compare(u"lumetra"_s, Qt::CaseInsensitive) == 0) {
        files_->openFile(path);
    } else {
        files_->importStandardsFrom(path);
    }
}

bool Lumetra::exitProgram() {
    if (files_ != nullptr && !files_->mayEnd()) {
        return false;
    }
    QCoreApplication::exit(0);
    return true;
}

} // namespace app
