#include "app/window_fit.h"

#include <algorithm>

namespace mirdal::gui {

QRect fitWindowRect(const QRect& window, const QRect& available, const QMargins& frame) {
  if (available.isEmpty()) return window;
  const int frameWidth = frame.left() + frame.right();
  const int frameHeight = frame.top() + frame.bottom();
  const int width = std::max(1, std::min(window.width(), available.width() - frameWidth));
  const int height = std::max(1, std::min(window.height(), available.height() - frameHeight));
  // The frame's top-left, so that the whole frame lies inside the area.
  const int maxLeft = std::max(available.left(), available.right() + 1 - (width + frameWidth));
  const int maxTop = std::max(available.top(), available.bottom() + 1 - (height + frameHeight));
  const int left = std::clamp(window.left(), available.left(), maxLeft);
  const int top = std::clamp(window.top(), available.top(), maxTop);
  return QRect(left, top, width, height);
}

}  // namespace mirdal::gui
