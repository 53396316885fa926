#include "app/lumetra.h"

#include <QCoreApplication>

namespace app {

Lumetra::Lumetra(worksheet::Alerts& alerts) : alerts_(alerts) {
    QObject::connect(&cover_, &ui::CoverWindow::runRequested, &cover_, [this] { run(); });
    QObject::connect(&cover_, &ui::CoverWindow::exitRequested, &cover_, [this] { exitProgram(); });
}

void Lumetra::start() {
    cover_.display();
}

void Lumetra::run() {
    if (!main_) {
        main_ = std::make_unique<ui::MainWindow>(alerts_);
        QObject::connect(main_.get(), &ui::MainWindow::backToCoverRequested, main_.get(),
                         [this] { backToCover(); });
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
