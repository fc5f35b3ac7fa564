// The object and palette choices of the menu page ("gbObjPal") that the previews show.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuChoiceBox : public QWidget {
  Q_OBJECT
 public:
  MenuChoiceBox(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
