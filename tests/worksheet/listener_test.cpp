// Listeners follow the worksheet: a fit that stored a curve, the clearing of the table, a result
// in Text8 and the clearing of the sample frame are announced to every listener, after the
// handler has written what the user sees.

#include "tests/worksheet/sheet_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace test {
namespace {

// Writes each announcement as a line, together with what the window showed at that momen
class Recorder final : public worksheet::WorksheetListener {
public:
    explicit Recorder(std::function<std::string()> shown) : shown_(std::move(shown)) {}

    void curveFitted(const calc::Curve& curve) override {
        events.push_back("fitted " + curve.equation + " r" + curve.correlation + " | " + shown_());
    }
    void curveCleared() override { events.push_back("curve cleared | " + shown_()); }
    void sampleComputed(const worksheet::SampleComputed& computed) override {
        events.push_back("sample '" + computed.absorbanceText + "' -> '" + computed.result + "' " +
                         computed.unit + " | " + shown_());
    }
    void sampleCleared() override { events.push_back("sample cleared | " + shown_()); }

    std::vector<std::string> events;

private:
    std::function<std::string()> shown_;
};

class Listeners : public SheetTest {
protected:
    // Label6, Text8 and Label13 as the user sees them, and whether Text7 is enabled.
    std::string shown() const {
        return caption("Label6") + "|" + text("Text8") + "|" + caption("Label13") + "|" +
               (sampleBox()->Enabled() ? "on" : "off");
    }
};

TEST_F(Listeners, EveryListenerHearsEveryAnnouncement) {
    struct Case {
        const char* name;
        std::function<void()> actions;
        std::vector<std::string> events;
    };
    const std::string fitted = "fitted y= 0+ .0999x r 1 | y= 0+ .0999x|||on";
    const Case cases[] = {
        {"a fit",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
         },
         {fitted}},
        {"a refused table announces nothing",
         [this] {
             ASSERT_EQ(fit({"1", "1"}, {".1", ".2"}), Alerts{kCannotFit});
         },
         {}},
        {"a fit, then a sample by Enter, by the button and by Enter on the button",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), ".2");
             press(kEnter);
             chooseUnit("ug");
             click("Command7");
             window->tabTo(button("Command7"));
             press(kEnter);
         },
         {fitted, "sample '.2' -> ' 2.002002002002' mg | y= 0+ .0999x| 2.002002002002|mg|on",
          "sample '.2' -> ' 2.002002002002' ug | y= 0+ .0999x| 2.002002002002|ug|on",
          "sample '.2' -> ' 2.002002002002' ug | y= 0+ .0999x| 2.002002002002|ug|on"}},
        {"no result, no announcement: out of range, an empty sample box",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), ".9");
             press(kEnter);
             click("Command7");
             retype(sampleBox(), "");
             click("Command7");
             EXPECT_EQ(takeAlerts(), (Alerts{kOutOfRange, kOutOfRange}));
         },
         {fitted}},
        {"both clearings",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             click("command5");
             click("Command8");
             click("command5");
         },
         {fitted, "curve cleared | y=a+bx|||off", "sample cleared | y=a+bx|||off",
          "curve cleared | y=a+bx|||off"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        Recorder first([this] { return shown(); });
        Recorder second([this] { return shown(); });
        sheet().addListener(&first);
        sheet().addListener(&second);
        sheet().addListener(&first); // once is enough

        ASSERT_NO_FATAL_FAILURE(c.actions());

        EXPECT_EQ(first.events, c.events);
        EXPECT_EQ(second.events, c.events);
        sheet().removeListener(&first);
        sheet().removeListener(&second);
    }
}

// The curve announced is the one the worksheet keeps until the table is cleared.
TEST_F(Listeners, TheAnnouncedCurveIsTheStoredOne) {
    calc::Curve heard;
    struct Keep final : worksheet::WorksheetListener {
        calc::Curve* into;
        void curveFitted(const calc::Curve& curve) override { *into = curve; }
    } keep;
    keep.into = &heard;
    sheet().addListener(&keep);
    ASSERT_EQ(fit({"1", "2", "3", "4"}, {"0.050", "0.110", "0.160", "0.230"}), Alerts{});
    ASSERT_TRUE(sheet().curve().has_value());
    EXPECT_EQ(heard, *sheet().curve());
    EXPECT_EQ(heard.intercept, state().Intercept.value());
    EXPECT_EQ(heard.slope, state().Slope);
    EXPECT_EQ(heard.concentrations, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(heard.absorbances, (std::vector<double>{0.05, 0.11, 0.16, 0.23}));
    sheet().removeListener(&keep);
}

// A listener may stop listening from inside an announcement; the others still hear it, and a
// removed listener hears nothing more.
TEST_F(Listeners, RemovedDuringAnAnnouncement) {
    struct Leaving final : worksheet::WorksheetListener {
        worksheet::Worksheet* sheet = nullptr;
        int heard = 0;
        void curveCleared() override {
            ++heard;
            sheet->removeListener(this);
        }
    } leaving;
    leaving.sheet = &sheet();
    Recorder staying([] { return std::string("-"); });
    sheet().addListener(&leaving);
    sheet().addListener(&staying);

    click("command5");
    click("command5");

    EXPECT_EQ(leaving.heard, 1);
    EXPECT_EQ(staying.events, (std::vector<std::string>{"curve cleared | -", "curve cleared | -"}));
    sheet().removeListener(&staying);
}

} // namespace
} // namespace test
