#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace analysis {

// Where a window first opens beside the window it belongs to, as the frame's rectangle in
// screen coordinates. It goes on the side with room for its preferred width, the right one
// first; where neither side has that room it narrows to the wider side's room, but never below
// `narrowest`, and covers as little of the owner as it then can. It is never taller than the
// screen's available area, nor wider, and lies inside it whenever it fits.
//   ownerFrame  the owner's frame (title bar and borders included)
//   available   the screen's area for windows (without panels)
//   preferred   the window's preferred frame size
//   narrowest   the least frame width at which its content is still usable
QRect placeBeside(const QRect& ownerFrame, const QRect& available, const QSize& preferred,
                  int narrowest);

} // namespace analysis
