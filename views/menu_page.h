// The "&Menu" page frame: a pane for the menu views (header, object and
// palette choices, the inner tabs) and the display switches, each of which
// is mirrored by a check box of the options page.
#pragma once

#include <QWidget>
#include <array>

#include "views/display_switches.h"
#include "views/page_view.h"

class QCheckBox;

namespace mirdal {
struct Workspace;
}

namespace mirdal::gui {

class MenuPage : public QWidget, public PageView {
  Q_OBJECT
 public:
  MenuPage(mirdal::Workspace& ws, QWidget* parent = nullptr);

  QWidget* contentPane() const { return content_; }
  QWidget* switchesPane() const { return switches_; }
  // The switch for kDisplaySwitches[i].
  QCheckBox* displaySwitch(int i) const { return boxes_[std::size_t(i)]; }

  // Shows the options' state in the switches.
  void showOptions();
  void refresh() override {}

 private:
  mirdal::Workspace& ws_;
  QWidget* content_;
  QWidget* switches_;
  std::array<QCheckBox*, kDisplaySwitches.size()> boxes_{};
};

}  // namespace mirdal::gui
