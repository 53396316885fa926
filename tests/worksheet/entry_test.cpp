// Keyboard entry of the point table: the filter judges each key alone, and Enter walks through
// the concentration boxes, then the absorbance boxes. How real key events become these codes is
// tested with the real window in tests/ui/keyboard_test.cpp.

#include "tests/worksheet/sheet_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace test {
namespace {

using worksheet::Field;

// Text typed as it is typed: the filter judges each key alone, the box's length cuts the rest.
TEST_F(SheetTest, TableBoxesTakeTheKeysOfAPlainNumber) {
    struct Case {
        const char* name;
        const char* box;
        const char* typed;
        const char* text;
    };
    const Case cases[] = {
        {"leading zeros", "Text1(0)", "007", "007"},
        {"several points", "Text1(0)", "1.2.3", "1.2.3"},
        {"several points in an absorbance box", "Text2(1)", "1.2.3", "1.2.3"},
        {"a seventh character in a concentration box", "Text1(2)", "1234567", "123456"},
        {"a sixth character in an absorbance box", "Text2(0)", "123456", "12345"},
        {"letters and signs between digits", "Text1(1)", "-1a+2 b/3,", "123"},
        {"a lone point", "Text2(2)", ".", "."},
        {"characters outside ASCII", "Text1(0)", "1中２é", "1"},
        {"Backspace edits", "Text2(0)", "12\b3", "13"},
    };
    confirmCount(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::TextBox* target = box(c.box);
        target->SetText("");
        clickAndType(target, c.typed);
        EXPECT_EQ(target->Text(), c.text);
        EXPECT_EQ(takeAlerts(), Alerts{});
    }
}

// The Enter walk. With n points it visits the concentration boxes of the points, then their
// absorbance boxes, and stays in the absorbance box of the last point.
std::vector<std::string> walkOrder(int n) {
    std::vector<std::string> order;
    for (int i = 0; i < n; ++i) {
        order.push_back("Text1(" + std::to_string(i) + ")");
    }
    for (int i = 0; i < n; ++i) {
        order.push_back("Text2(" + std::to_string(i) + ")");
    }
    return order;
}

class EnterWalk : public SheetTest {
protected:
    void expectAt(const std::string& name) {
        EXPECT_EQ(focus(), name);
        EXPECT_EQ(state().ActiveField,
                  name.starts_with("Text1") ? Field::Concentration : Field::Absorbance);
        const std::string row = name.substr(6, name.size() - 7);
        EXPECT_EQ(describe(state().CurrentRow), "integer " + row);
    }
};

TEST_F(EnterWalk, VisitsEveryBoxOnce) {
    struct Case {
        const char* name;
        int n;
        const char* start; // the box clicked into first; nullptr: where the confirm put the focus
    };
    const Case cases[] = {
        {"n = 2 from the first concentration box", 2, nullptr},
        {"n = 3 from the first concentration box", 3, nullptr},
        {"n = 10 from the first concentration box", 10, nullptr},
        {"n = 2 clicked into the absorbance box of point 1", 2, "Text2(0)"},
        {"n = 2 clicked into the concentration box of point 2", 2, "Text1(1)"},
        {"n = 3 clicked into the concentration box of point 2", 3, "Text1(1)"},
        {"n = 3 clicked into the absorbance box of point 3", 3, "Text2(2)"},
        {"n = 10 clicked into the absorbance box of point 3", 10, "Text2(2)"},
        {"n = 10 clicked into the concentration box of point 10", 10, "Text1(9)"},
        {"n = 10 clicked into the concentration box of point 5", 10, "Text1(4)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        confirmCount(c.n);
        const std::vector<std::string> order = walkOrder(c.n);
        std::size_t at = 0;
        if (c.start != nullptr) {
            click(box(c.start));
            at = static_cast<std::size_t>(std::find(order.begin(), order.end(), c.start) -
                                          order.begin());
        }
        expectAt(order[at]);
        // To the last absorbance box, then two more presses that stay there.
        const std::size_t presses = order.size() - 1 - at + 2;
        for (std::size_t step = 1; step <= presses; ++step) {
            SCOPED_TRACE("Enter number " + std::to_string(step));
            press(kEnter);
            expectAt(order[std::min(at + step, order.size() - 1)]);
        }
        EXPECT_EQ(takeAlerts(), Alerts{});
    }
}

// Enter checks nothing in the box it leaves and changes no text.
TEST_F(EnterWalk, BoxContentsAreNotChecked) {
    confirmCount(4);
    const char* const texts[] = {"", "1.2.3", "007", "."};
    for (int i = 0; i < 4; ++i) {
        clickAndType(text1(i), texts[i]);
        clickAndType(text2(i), texts[3 - i]);
    }
    click(text1(0));
    for (int step = 0; step < 8; ++step) {
        press(kEnter);
    }
    EXPECT_EQ(focus(), "Text2(3)");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(text1(i)->Text(), texts[i]);
        EXPECT_EQ(text2(i)->Text(), texts[3 - i]);
    }
    EXPECT_EQ(takeAlerts(), Alerts{});
}

} // namespace
} // namespace test
