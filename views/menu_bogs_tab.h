// The "BOGs" tab of the menu page: the button overlap groups of the chosen page, their buttons and the commands of the chosen button.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuBogsTab : public QWidget {
  Q_OBJECT
 public:
  MenuBogsTab(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
