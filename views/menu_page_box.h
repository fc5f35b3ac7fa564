// The page group of the menu page ("gbMenuHead"): the page choice with its count and the fields of the chosen page.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuPageBox : public QWidget {
  Q_OBJECT
 public:
  MenuPageBox(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
