// The "Page view" tab of the menu page: the chosen page as a player shows it.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuViewTab : public QWidget {
  Q_OBJECT
 public:
  MenuViewTab(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
