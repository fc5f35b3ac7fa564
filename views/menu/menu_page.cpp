#include "views/menu/menu_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "documents/workspace.h"
#include "views/menu/menu_bogs_tab.h"
#include "views/menu/menu_choice_box.h"
#include "views/menu/menu_composition_box.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_effects_tab.h"
#include "views/menu/menu_objects_tab.h"
#include "views/menu/menu_page_box.h"
#include "views/menu/menu_view_tab.h"
#include "views/common/pane.h"
#include "views/common/read_error_banner.h"

namespace mirdal::gui {

namespace {

QGroupBox* framed(const char* name, const QString& caption, QWidget* inner, QWidget* parent) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(name);
  auto* l = new QVBoxLayout(g);
  l->setContentsMargins(4, 2, 4, 4);
  l->addWidget(inner);
  return g;
}

}  // namespace

MenuPage::MenuPage(mirdal::Workspace& ws, Interaction& ia, QWidget* parent)
    : QWidget(parent), ws_(ws), ctx_(new MenuContext(ws, ia, this)) {
  setObjectName("tsMenu");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 6, 6, 6);
  row->setSpacing(6);
  content_ = makePane("pMenuContent", this);
  row->addWidget(content_, 1);

  // The header above the inner tabs: composition, page, object and palette.
  auto* head = new QHBoxLayout;
  head->setSpacing(6);
  composition_ = new MenuCompositionBox(*ctx_);
  pageBox_ = new MenuPageBox(*ctx_);
  choice_ = new MenuChoiceBox(*ctx_);
  head->addWidget(framed("gbIGSInfo", QString(), composition_, content_));
  head->addWidget(framed("gbMenuHead", QString(), pageBox_, content_), 1);
  static_cast<QBoxLayout*>(content_->layout())->addLayout(head);
  static_cast<QBoxLayout*>(content_->layout())->insertWidget(0, new ReadErrorBanner("lReadErrorsMenu", {&ws_.menu}, content_));

  tabs_ = new QTabWidget(content_);
  tabs_->setObjectName("pcMenu");
  bogs_ = new MenuBogsTab(*ctx_);
  effects_ = new MenuEffectsTab(*ctx_);
  objects_ = new MenuObjectsTab(*ctx_);
  view_ = new MenuViewTab(*ctx_);
  tabs_->addTab(bogs_, tr("BOGs"));
  tabs_->addTab(effects_, tr("Effects"));
  tabs_->addTab(objects_, tr("Objects"));
  tabs_->addTab(view_, tr("Page view"));
  content_->layout()->addWidget(tabs_);
  static_cast<QBoxLayout*>(content_->layout())->setStretchFactor(tabs_, 1);

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
  // The object and palette choices sit above the switches, beside the
  // tabs whose previews they drive, so that the header stays narrow enough
  // for the smallest window.
  auto* side = new QVBoxLayout;
  side->setSpacing(6);
  side->addWidget(framed("gbObjPal", QString(), choice_, this));
  side->addWidget(group);
  side->addStretch(1);
  row->addLayout(side);
  showOptions();
}

void MenuPage::showTab(MenuTab t) { tabs_->setCurrentIndex(int(t)); }

void MenuPage::showOptions() {
  for (std::size_t i = 0; i < kDisplaySwitches.size(); ++i) {
    const QSignalBlocker block(boxes_[i]);
    boxes_[i]->setChecked(ws_.options.*kDisplaySwitches[i].option);
  }
}

}  // namespace mirdal::gui
