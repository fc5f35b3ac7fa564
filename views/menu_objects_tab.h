// The "Objects" tab of the menu page: the object and palette tables with their previews, image and palette files.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuObjectsTab : public QWidget {
  Q_OBJECT
 public:
  MenuObjectsTab(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
