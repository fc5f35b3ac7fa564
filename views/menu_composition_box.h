// The composition group of the menu page ("gbIGSInfo"): video format, frame rate, user time-out and IN_time.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuCompositionBox : public QWidget {
  Q_OBJECT
 public:
  MenuCompositionBox(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
