#include "tests/worksheet/sheet_fixture.h"

namespace test {

void SheetTest::restart() {
    window.reset();
    alerts.events.clear();
    window = std::make_unique<fake::Window>(alerts);
    window->load();
}

fake::TextBox* SheetTest::box(std::string_view name) const {
    fake::TextBox* found = window->box(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

fake::TextBox* SheetTest::text1(int row) const {
    return box("Text1(" + std::to_string(row) + ")");
}

fake::TextBox* SheetTest::text2(int row) const {
    return box("Text2(" + std::to_string(row) + ")");
}

fake::Button* SheetTest::button(std::string_view name) const {
    fake::Button* found = window->button(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

fake::Label* SheetTest::label(std::string_view name) const {
    fake::Label* found = window->label(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void SheetTest::clickAndType(fake::TextBox* target, std::string_view typed) {
    click(target);
    type(typed);
}

fake::Button* SheetTest::keypadKey(char caption) const {
    const int index = caption == '.' ? 10 : caption == '0' ? 9 : caption - '1';
    fake::Button* found = button("Command1(" + std::to_string(index) + ")");
    EXPECT_EQ(found->Caption(), std::string(1, caption));
    return found;
}

void SheetTest::clickKeys(std::string_view captions) {
    for (const char caption : captions) {
        click(caption == '<' ? button("Command3") : keypadKey(caption));
    }
}

void SheetTest::confirmCount(int n) {
    clickAndType(box("Text4"), std::to_string(n));
    press(kEnter);
}

void SheetTest::fillTable(const Texts& concentrations, const Texts& absorbances) {
    for (std::size_t i = 0; i < concentrations.size(); ++i) {
        if (!concentrations[i].empty()) {
            clickAndType(text1(static_cast<int>(i)), concentrations[i]);
        }
    }
    for (std::size_t i = 0; i < absorbances.size(); ++i) {
        if (!absorbances[i].empty()) {
            clickAndType(text2(static_cast<int>(i)), absorbances[i]);
        }
    }
}

Alerts SheetTest::fit(const Texts& concentrations, const Texts& absorbances) {
    confirmCount(static_cast<int>(concentrations.size()));
    fillTable(concentrations, absorbances);
    EXPECT_EQ(takeAlerts(), Alerts{}) << "entering the table";
    click("command4");
    return takeAlerts();
}

void SheetTest::retype(fake::TextBox* target, std::string_view typed) {
    click(target);
    for (std::size_t i = target->Text().size(); i > 0; --i) {
        press(kBackspace);
    }
    type(typed);
}

void SheetTest::paste(fake::TextBox* target, std::string_view pasted) {
    click(target);
    target->SetText(target->Text() + std::string(pasted));
}

std::string SheetTest::rowVisibility() const {
    std::string rows;
    for (int i = 0; i < worksheet::kRows; ++i) {
        const bool shown[] = {label("Label1(" + std::to_string(i) + ")")->Visible(),
                              text1(i)->Visible(), text2(i)->Visible()};
        if (shown[0] && shown[1] && shown[2]) {
            rows += '1';
        } else if (!shown[0] && !shown[1] && !shown[2]) {
            rows += '0';
        } else {
            rows += '?';
        }
    }
    return rows;
}

std::string SheetTest::snapshot() const {
    return test::snapshot(window->controls(), state());
}

} // namespace test
