// Fitting a stored window position and size into the screen it is shown
// on: settings written on a larger screen (or with another arrangement of
// screens) must not put the window's frame or its lower part out of reach.
#pragma once

#include <QMargins>
#include <QRect>

namespace mirdal::gui {

// The frame a window manager typically puts around the client area.
inline constexpr QMargins kTypicalFrame{8, 30, 8, 8};

// window: the frame's top-left and the client area's size, as stored.
// Returns it shrunk to the available area (frame included) and moved inside
// it. An empty available area leaves the window as it is.
QRect fitWindowRect(const QRect& window, const QRect& available, const QMargins& frame = kTypicalFrame);

}  // namespace mirdal::gui
