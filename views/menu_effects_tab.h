// The "Effects" tab of the menu page: the in- and out-effect sequences of the chosen page.
#pragma once

#include <QWidget>

namespace mirdal::gui {

class MenuContext;

class MenuEffectsTab : public QWidget {
  Q_OBJECT
 public:
  MenuEffectsTab(MenuContext& ctx, QWidget* parent = nullptr);

 private:
  MenuContext& ctx_;
};

}  // namespace mirdal::gui
