#include "analysis/window_placement.h"

#include <algorithm>

namespace analysis {

namespace {

constexpr int kGap = 8; // between the two frames

} // namespace

QRect placeBeside(const QRect& ownerFrame, const QRect& available, const QSize& preferred,
                  int narrowest) {
    const int height = std::min(preferred.height(), available.height());
    const int top = std::clamp(ownerFrame.top(), available.top(),
                               available.top() + available.height() - height);
    const int right = available.left() + available.width(); // one past the last column
    const int roomRight = right - (ownerFrame.left() + ownerFrame.width() + kGap);
    const int roomLeft = ownerFrame.left() - kGap - available.left();
    const int most = std::min(preferred.width(), available.width());

    if (roomRight >= most) {
        return {ownerFrame.left() + ownerFrame.width() + kGap, top, most, height};
    }
    if (roomLeft >= most) {
        return {ownerFrame.left() - kGap - most, top, most, height};
    }
    // Narrowed to the wider side's room; where even the narrowest usable width does not fit
    // there, against that side's screen edge, over as little of the owner as it can.
    const bool toRight = roomRight >= roomLeft;
    const int room = std::max(roomRight, roomLeft);
    const int width = std::min(most, std::max(narrowest, room));
    if (toRight) {
        return {room >= width ? right - roomRight : right - width, top, width, height};
    }
    return {room >= width ? ownerFrame.left() - kGap - width : available.left(), top, width,
            height};
}

} // namespace analysis
