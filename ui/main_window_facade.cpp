#include "ui/main_window_facade.h"

#include "ui/controls.h"
#include "ui/main_window.h"

namespace ui {

void MainWindowFacade::fillStandards(const QString& unit, const std::vector<Standard>& standards) {
    worksheet::Worksheet& sheet = main_.sheet();
    const MainWindowControls& c = main_.controls();
    sheet.command5_Click();
    sheet.Command8_Click();
    const int listed = c.Combo1->findText(unit);
    if (listed >= 0) {
        c.Combo1->setCurrentIndex(listed);
    }
    c.Combo1->setEditText(unit);
    c.Text4->SetText(std::to_string(standards.size()));
    sheet.command9_Click();
    for (std::size_t i = 0; i < standards.size() && i < std::size_t(worksheet::kRows); ++i) {
        c.Text1[i]->SetText(standards[i].c);
        c.Text2[i]->SetText(standards[i].a);
    }
    sheet.command4_Click();
}

void MainWindowFacade::clear() {
    main_.sheet().command5_Click();
    main_.sheet().Command8_Click();
}

QString MainWindowFacade::unit() const {
    return main_.controls().Combo1->currentText();
}

void MainWindowFacade::setUnit(const QString& unit) {
    main_.controls().Combo1->setEditText(unit);
}

std::vector<std::pair<QString, QString>> MainWindowFacade::standards() const {
    const worksheet::State state = main_.sheet().state();
    const int count = state.PointCount.value() > 0 ? state.PointCount.toInt16().value_or(0) : 0;
    const MainWindowControls& c = main_.controls();
    std::vector<std::pair<QString, QString>> rows;
    for (int i = 0; i < count && i < worksheet::kRows; ++i) {
        rows.emplace_back(c.Text1[std::size_t(i)]->text(), c.Text2[std::size_t(i)]->text());
    }
    return rows;
}

bool MainWindowFacade::holdsData() const {
    const MainWindowControls& c = main_.controls();
    for (int i = 0; i < worksheet::kRows; ++i) {
        if (!c.Text1[std::size_t(i)]->text().isEmpty() ||
            !c.Text2[std::size_t(i)]->text().isEmpty()) {
            return true;
        }
    }
    return !c.Text4->text().isEmpty() || !c.Text7->text().isEmpty() || main_.curve().has_value();
}

} // namespace ui
