// The "&Menu" page frame: a pane for the menu views (header, object and
// palette choices, the inner tabs) and the display switches, each of which
// is mirrored by a check box of the options page.
#pragma once

#include <QWidget>
#include <array>

#include "views/menu/display_switches.h"
#include "views/common/page_view.h"

class QCheckBox;
class QTabWidget;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class Interaction;
class MenuContext;
class MenuCompositionBox;
class MenuPageBox;
class MenuChoiceBox;
class MenuBogsTab;
class MenuEffectsTab;
class MenuObjectsTab;
class MenuViewTab;

// The inner tabs, in order.
enum class MenuTab { BOGs = 0, Effects, Objects, PageView };

class MenuPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  MenuPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent = nullptr);

  MenuContext& context() const { return *ctx_; }
  MenuCompositionBox* compositionBox() const { return composition_; }
  MenuPageBox* pageBox() const { return pageBox_; }
  MenuChoiceBox* choiceBox() const { return choice_; }
  QTabWidget* tabs() const { return tabs_; }
  MenuBogsTab* bogsTab() const { return bogs_; }
  MenuEffectsTab* effectsTab() const { return effects_; }
  MenuObjectsTab* objectsTab() const { return objects_; }
  MenuViewTab* viewTab() const { return view_; }
  void showTab(MenuTab t);

  QWidget* contentPane() const { return content_; }
  QWidget* switchesPane() const { return switches_; }
  // The switch for kDisplaySwitches[i].
  QCheckBox* displaySwitch(int i) const { return boxes_[std::size_t(i)]; }

  // Shows the options' state in the switches.
  void showOptions();
  void refresh() override {}

 private:
  mirdal::Workspace& ws_;
  MenuContext* ctx_;
  MenuCompositionBox* composition_;
  MenuPageBox* pageBox_;
  MenuChoiceBox* choice_;
  QTabWidget* tabs_;
  MenuBogsTab* bogs_;
  MenuEffectsTab* effects_;
  MenuObjectsTab* objects_;
  MenuViewTab* view_;
  QWidget* content_;
  QWidget* switches_;
  std::array<QCheckBox*, kDisplaySwitches.size()> boxes_{};
};

}  // namespace mirdal::gui
