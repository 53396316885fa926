#include "app/lumetra.h"

#include <QCoreApplication>

namespace app {

Lumetra::Lumetra(worksheet::Alerts& alerts) : alerts_(alerts) {
    cover_.onRun = [this] { run(); };
    cover_.onExit = [this] { exitProgram(); };
}

void Lumetra::start() {
    cover_.display();
}

void Lumetra::run() {
    if (!main_) {
        main_ = std::make_unique<ui::MainWindow>(alerts_);
        main_->onBackToCover = [this] { backToCover(); };
    }
    main_->display();
    cover_.hide();
}

void Lumetra::backToCover() {
    main_->hide();
    cover_.display();
}

// Nothing is saved: the worksheet lives only in the windows.
void Lumetra::exitProgram() {
    QCoreApplication::exit(0);
}

} // namespace app
