#include "analysis/window_placement.h"

#include <gtest/gtest.h>

namespace {

std::string text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

// The main window's frame is 674 x 471 plus the window manager's decoration, here 30 pixels of
// title bar; the analysis window wants 952 x 782 plus the same and reads down to 510 wide.
TEST(PlaceBeside, Table) {
    struct Case {
        const char* name;
        QRect owner, available;
        QRect expected;
    };
    const QSize preferred(952, 812);
    const int narrowest = 510;
    const Case cases[] = {
        {"room on the right of a wide screen",
         {0, 0, 674, 501},
         {0, 0, 1920, 1080},
         {682, 0, 952, 812}},
        {"room on the left only", {1200, 40, 674, 501}, {0, 0, 1920, 1080}, {240, 40, 952, 812}},
        {"1280 x 800: narrowed to the room on the right, as tall as the screen",
         {0, 0, 674, 501},
         {0, 0, 1280, 800},
         {682, 0, 598, 800}},
        {"narrowed on the left, the wider side",
         {600, 0, 674, 501},
         {0, 0, 1280, 800},
         {0, 0, 592, 800}},
        {"centred owner, no side with room: the narrowest width at the right edge",
         {303, 150, 674, 501},
         {0, 0, 1280, 800},
         {770, 0, 510, 800}},
        {"a panel at the top: below it",
         {0, 0, 674, 501},
         {0, 27, 1920, 1053},
         {682, 27, 952, 812}},
        {"owner low on the screen: moved up to fit",
         {0, 500, 674, 501},
         {0, 0, 1920, 1080},
         {682, 268, 952, 812}},
        {"second screen to the right of the first",
         {2000, 100, 674, 501},
         {1920, 0, 1280, 1024},
         {2682, 100, 518, 812}},
        {"twice the scale on 1280 x 800: the screen is smaller than the owner",
         {0, 0, 674, 471},
         {0, 0, 640, 400},
         {0, 0, 510, 400}},
        {"a screen narrower than the narrowest width",
         {0, 0, 300, 200},
         {0, 0, 400, 300},
         {0, 0, 400, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = analysis::placeBeside(c.owner, c.available, preferred, narrowest);
        EXPECT_EQ(text(placed), text(c.expected));
        if (placed.width() <= c.available.width()) {
            EXPECT_TRUE(c.available.contains(placed)) << text(placed);
        }
        // Beside means not over the owner, wherever the result is narrower than the screen
        // and wider than the narrowest.
        if (placed.width() > narrowest) {
            EXPECT_FALSE(placed.intersects(c.owner)) << text(placed);
        }
    }
}

} // namespace
