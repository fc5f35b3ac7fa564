#include "views/menu/menu_choice_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QVBoxLayout>

#include "present/menu_cells.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/menu/menu_context.h"
#include "views/common/named_controls.h"
#include "views/menu/menu_values.h"

namespace mirdal::gui {

MenuChoiceBox::MenuChoiceBox(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("pObjPal");
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);
  objects_ = namedChoice("cbObjects", tr("Objects"), this);
  palettes_ = namedChoice("cbPalettes", tr("Palettes"), this);
  palOnly_ = new QCheckBox(tr("View palette only"), this);
  palOnly_->setObjectName("cbPalOnly");
  l->addWidget(objects_);
  l->addWidget(palettes_);
  l->addWidget(palOnly_);
  l->addStretch(1);

  connect(objects_, &QComboBox::activated, this, [this](int i) { ctx_.setObject(i); });
  connect(palettes_, &QComboBox::activated, this, [this](int i) { ctx_.setPalette(i); });
  connect(palOnly_, &QCheckBox::toggled, this, [this](bool on) { ctx_.setPaletteOnly(on); });
  connect(&ctx_, &MenuContext::objectChanged, this, [this](int i) { showComboItem(objects_, i); });
  connect(&ctx_, &MenuContext::paletteChanged, this, [this](int i) { showComboItem(palettes_, i); });
  connect(&ctx_, &MenuContext::paletteOnlyChanged, palOnly_, &QCheckBox::setChecked);
  connect(&ctx_.changes(), &DocumentSignals::changed, this, [this](const mirdal::ChangeNotice& n) {
    if (n.is(MenuPart::Objects) || n.is(MenuPart::Palettes)) refill(n.cause == mirdal::ChangeNotice::Cause::Load);
  });
  refill(true);
}

void MenuChoiceBox::refill(bool load) {
  const mirdal::IgMenu& m = ctx_.menu();
  const bool loaded = ctx_.loaded();
  QStringList objects, palettes;
  if (loaded) {
    for (const mirdal::IgObject& o : m.objects) objects << hex(o.objectId, 4);
    for (const mirdal::IgPalette& p : m.palettes) palettes << hex(p.paletteId, 2);
  }
  const int object = keptChoice(load ? 0 : ctx_.object(), int(objects.size()));
  const int palette = keptChoice(load ? 0 : ctx_.palette(), int(palettes.size()));
  setComboItems(objects_, objects, object);
  setComboItems(palettes_, palettes, palette);
  objects_->setToolTip(tr("%1 objects").arg(objects.size()));
  palettes_->setToolTip(tr("%1 palettes").arg(palettes.size()));
  // Choosing needs something to show through something.
  setEnabled(!objects.isEmpty() && !palettes.isEmpty());
  ctx_.setObject(object);
  ctx_.setPalette(palette);
}

}  // namespace mirdal::gui
