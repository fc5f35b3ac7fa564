#include "views/menu_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "views/pane.h"

namespace mirdal::gui {

MenuPage::MenuPage(mirdal::Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName("tsMenu");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 6, 6, 6);
  row->setSpacing(6);
  content_ = makePane("pMenuContent", this);
  row->addWidget(content_, 1);

  auto* group = new QGroupBox(this);
  group->setObjectName("gbMenuSwitches");
  auto* gl = new QVBoxLayout(group);
  gl->setContentsMargins(6, 4, 6, 6);
  switches_ = makePane("pMenuSwitches", group);
  gl->addWidget(switches_);
  gl->addStretch(1);
  for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i) {
    const DisplaySwitch& s = kDisplaySwitches[i];
    auto* b = new QCheckBox(tr(s.menuText), switches_);
    b->setObjectName(s.menuName);
    switches_->layout()->addWidget(b);
    boxes_[i] = b;
    connect(b, &QCheckBox::toggled, this, [this, i](bool on) { ws_.options.*kDisplaySwitches[i].option = on; });
  }
  row->addWidget(group, 0, Qt::AlignTop);
  showOptions();
}

void MenuPage::showOptions() {
  for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i) {
    const QSignalBlocker block(boxes_[i]);
    boxes_[i]->setChecked(ws_.options.*kDisplaySwitches[i].option);
  }
}

}  // namespace mirdal::gui
