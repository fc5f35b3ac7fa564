// The object and palette choices of the menu page ("gbObjPal"): what the
// previews of every sub-page show, and "View palette only", which shows the
// chosen palette's chart instead of the object. The lists follow the menu
// document; a choice goes to the MenuContext, which tells the previews.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace mirdal::gui {

class MenuContext;

class MenuChoiceBox : public QWidget {
  Q_OBJECT
 public:
  MenuChoiceBox(MenuContext& ctx, QWidget* parent = nullptr);

  QComboBox* objectsChoice() const { return objects_; }
  QComboBox* palettesChoice() const { return palettes_; }
  QCheckBox* paletteOnlyBox() const { return palOnly_; }

 private:
  // Refills the lists from the menu and keeps the context's choices inside
  // them (the first object and palette after a load).
  void refill(bool load);

  MenuContext& ctx_;
  QComboBox* objects_;
  QComboBox* palettes_;
  QCheckBox* palOnly_;
};

}  // namespace mirdal::gui
