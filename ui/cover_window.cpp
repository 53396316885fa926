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
    buildControls(*this, form2::kControls, "Form2");
    auto* run = findControl<Button>(*this, controlName("Command1"));
    connect(run, &Button::clicked, this, &CoverWindow::runRequested);
    connect(findControl<Button>(*this, controlName("Command2")), &Button::clicked, this,
            &CoverWindow::exitRequested);
    run->setFocus();
}

void CoverWindow::display() {
    show();
    activateWindow();
}

void CoverWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit exitRequested();
}

} // namespace ui
