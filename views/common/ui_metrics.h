// Sizes that follow the desktop font. The window was laid out for an 8-point
// font whose lines are 13 pixels high; every fixed pixel size (grid column
// widths, pane limits) grows with the font actually in use, never shrinks.
#pragma once

#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mirdal::gui {

inline double uiScale(const QWidget* w) {
  const QFontMetricsF fm(w ? w->font() : QFont());
  return std::max(1.0, fm.height() / 13.0);
}

// A size given for the 13-pixel layout, in pixels of the font in use.
inline int px(const QWidget* w, int designPixels) {
  return int(std::lround(designPixels * uiScale(w)));
}

}  // namespace mirdal::gui
