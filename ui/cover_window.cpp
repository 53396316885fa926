#include "ui/cover_window.h"

#include "ui/controls.h"
#include "ui/cover_window_design.h"
#include "ui/window_builder.h"

#include <QCloseEvent>

namespace ui {

CoverWindow::CoverWindow() {
    setUpWindow(*this, QStringLiteral("Form2"), form2::kClientWidth, form2::kClientHeight);
    // setGeometry places the client area, not the frame around it.
    setGeometry(pixels(form2::kClientLeft), pixels(form2::kClientTop), width(), height());
    buildControls(*this, form2::kControls);
    auto* run = findControl<Button>(*this, QStringLiteral("Command1"));
    auto* exit = findControl<Button>(*this, QStringLiteral("Command2"));
    run->onClick = [this] {
        if (onRun) {
            onRun();
        }
    };
    exit->onClick = [this] {
        if (onExit) {
            onExit();
        }
    };
    run->setFocus();
}

void CoverWindow::display() {
    show();
    activateWindow();
}

void CoverWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onExit) {
        onExit();
    }
}

} // namespace ui
