#include "views/menu/menu_effects_tab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "menu/igs_model.h"
#include "menu/menu_edit.h"
#include "menu/menu_text.h"
#include "present/effect_cells.h"
#include "present/menu_cells.h"
#include "menu/object_preview.h"
#include "menu/page_render.h"
#include "views/common/document_signals.h"
#include "views/menu/menu_context.h"
#include "views/menu/menu_values.h"
#include "views/common/number_edit.h"
#include "views/menu/picture_view.h"
#include "views/common/radio_group.h"
#include "views/common/string_grid.h"
#include "views/common/text.h"

namespace mirdal::gui {

namespace {

StringGrid* effectGrid(const char* name, const QString& hint, const QList<GridColumn>& cols, QWidget* parent) {
  auto* g = new StringGrid(QString::fromLatin1(name), parent);
  g->setToolTip(hint);
  g->setColumns(cols);
  g->setEditModeKind(EditModeKind::CellSelect);
  g->setOffersModeMenu(true);
  return g;
}

QWidget* titled(const QString& title, QWidget* w, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* l = new QVBoxLayout(box);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);
  l->addWidget(new QLabel(title, box));
  l->addWidget(w, 1);
  return box;
}

}  // namespace

MenuEffectsTab::MenuEffectsTab(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("tsEffects");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 4, 4, 4);
  row->setSpacing(6);
  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  sequenceChoice_ = new RadioGroup(QStringLiteral("rgEffects"), QString(), {tr("InEffects"), tr("OutEffects")},
                                   Qt::Horizontal, this);
  sequenceChoice_->setCheckedIndex(0);
  left->addWidget(sequenceChoice_);

  windows_ = effectGrid("sgEffWindows", tr("Windows"),
                        {{tr("id"), 30}, {tr("X"), 44}, {tr("Y"), 44}, {tr("width"), 44}, {tr("height"), 44}}, this);
  effects_ = effectGrid("sgEffEffects", tr("Effects"),
                        {{QString(), 30}, {tr("duration"), 80}, {tr("palette"), 44}, {tr("c.obj."), 40}}, this);
  compObjects_ = effectGrid("sgEffCompObjects", tr("Composition Objects"),
                            {{QString(), 30}, {tr("object"), 44}, {tr("window"), 44}, {tr("X pos."), 44},
                             {tr("Y pos."), 44}},
                            this);
  effects_->setFixedFirstColumn(true);
  compObjects_->setFixedFirstColumn(true);
  windows_->setEditMaskFn([](int, int c) { return c == 0 ? QStringLiteral("00") : QStringLiteral("0000"); });
  effects_->setEditMaskFn([](int, int c) {
    return c == 1 ? QStringLiteral("9:99:99.999") : c == 2 ? QStringLiteral(">HH") : QString();
  });
  compObjects_->setEditMaskFn([](int, int c) {
    return c == 1 ? QStringLiteral(">HHHH") : c == 2 ? QStringLiteral(">HH") : QStringLiteral("0000");
  });
  left->addWidget(titled(tr("Windows"), windows_, this), 1);
  left->addWidget(titled(tr("Effects"), effects_, this), 1);
  left->addWidget(titled(tr("Composition Objects"), compObjects_, this), 1);

  auto* cropLine = new QHBoxLayout;
  cropLine->setSpacing(3);
  cropLine->addWidget(new QLabel(tr("Crop"), this));
  cropped_ = new QCheckBox(this);
  cropped_->setObjectName("cbCropped");
  cropped_->setToolTip(tr("Cropped"));
  cropped_->setAttribute(Qt::WA_TransparentForMouseEvents);  // shows the flag only
  cropped_->setFocusPolicy(Qt::NoFocus);
  cropLine->addWidget(cropped_);
  const char* names[4] = {"neCropX", "neCropY", "neCropW", "neCropH"};
  const QString hints[4] = {tr("Object cropping horizontal position"), tr("Object cropping vertical position"),
                            tr("Object cropping width"), tr("Object cropping height")};
  for (int i = 0; i < 4; ++i) {
    crop_[i] = new NumberEdit(this, 0, 1919);
    crop_[i]->setObjectName(QString::fromLatin1(names[i]));
    crop_[i]->setToolTip(hints[i]);
    cropLine->addWidget(crop_[i]);
    connect(crop_[i], &NumberEdit::valueCommitted, this, &MenuEffectsTab::cropCommitted);
  }
  cropLine->addStretch(1);
  left->addLayout(cropLine);
  row->addLayout(left, 2);

  preview_ = new PictureView(this);
  preview_->setObjectName("iEffect");
  preview_->setFitted(true);
  preview_->setMinimumSize(320, 180);
  // The picture is drawn fitted: its size must not widen the page.
  preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  row->addWidget(preview_, 3);

  for (StringGrid* g : {windows_, effects_, compObjects_}) g->installEventFilter(this);
  connect(sequenceChoice_, &RadioGroup::indexChosen, this, &MenuEffectsTab::showSequence);
  connect(effects_, &QTableWidget::currentCellChanged, this, [this](int r) {
    if (showing_ || r < 0 || r == effect_) return;
    effect_ = r;
    compObject_ = 0;
    showCompObjects();
  });
  connect(compObjects_, &QTableWidget::currentCellChanged, this, [this](int r) {
    if (showing_ || r < 0) return;
    compObject_ = r;
    showCrop();
  });
  connect(windows_, &StringGrid::cellEdited, this, &MenuEffectsTab::windowEdited);
  connect(effects_, &StringGrid::cellEdited, this, &MenuEffectsTab::effectEdited);
  connect(compObjects_, &StringGrid::cellEdited, this, &MenuEffectsTab::compObjectEdited);
  connect(&ctx_, &MenuContext::pageChanged, this, [this] {
    effect_ = compObject_ = 0;
    showAll();
  });
  connect(&ctx_.changes(), &DocumentSignals::changed, this, &MenuEffectsTab::documentChanged);
  showAll();
}

const mirdal::EffectSequence* MenuEffectsTab::current() const {
  const int p = ctx_.page();
  if (!ctx_.loaded() || p < 0 || p >= int(ctx_.menu().ics.pages.size())) return nullptr;
  return &ctx_.menu().ics.pages[std::size_t(p)].effects[seq_];
}

void MenuEffectsTab::showSequence(int seq) {
  seq_ = seq == 1 ? 1 : 0;
  sequenceChoice_->setCheckedIndex(seq_);
  effect_ = compObject_ = 0;
  showAll();
}

void MenuEffectsTab::documentChanged(const mirdal::ChangeNotice& n) {
  if (n.everythingChanged() || n.is(MenuPart::Effects) || n.is(MenuPart::Objects) || n.is(MenuPart::Palettes) || n.is(MenuPart::Composition))
    showAll();
}

void MenuEffectsTab::showAll() {
  showing_ = true;
  const mirdal::EffectSequence* s = current();
  const int nw = s ? s->windowCount : 0;
  windows_->setDataRowCount(nw);
  for (int i = 0; i < nw; ++i) {
    const mirdal::EffectWindow& w = s->windows[std::size_t(i)];
    windows_->setRowTexts(i, {QStringLiteral("%1").arg(w.windowId, 2, 10, QLatin1Char('0')), QString::number(w.x),
                              QString::number(w.y), QString::number(w.width), QString::number(w.height)});
  }
  const int ne = s ? int(s->effects.size()) : 0;
  effects_->setDataRowCount(ne);
  for (int i = 0; i < ne; ++i) {
    const mirdal::Effect& e = s->effects[std::size_t(i)];
    effects_->setRowTexts(i, {QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')),
                              QString::fromStdString(mirdal::igTimeText(e.duration)), hex(e.paletteId, 2),
                              QString::number(e.compObjects.size())});
    if (QTableWidgetItem* it = effects_->item(i, 3)) it->setFlags(it->flags() & ~Qt::ItemIsEditable);
  }
  // Without a page the grids stay empty; a page without effects still
  // takes Insert.
  for (StringGrid* g : {windows_, effects_}) g->setEnabled(s != nullptr);
  if (effect_ >= ne) effect_ = ne > 0 ? ne - 1 : 0;
  if (ne > 0) effects_->selectDataRow(effect_);
  showing_ = false;
  showCompObjects();
}

void MenuEffectsTab::showCompObjects() {
  showing_ = true;
  const mirdal::EffectSequence* s = current();
  const mirdal::Effect* e = s && effect_ < int(s->effects.size()) ? &s->effects[std::size_t(effect_)] : nullptr;
  const int n = e ? int(e->compObjects.size()) : 0;
  compObjects_->setDataRowCount(n);
  for (int i = 0; i < n; ++i) {
    const mirdal::CompositionObject& c = e->compObjects[std::size_t(i)];
    compObjects_->setRowTexts(i, {QString::number(i + 1), hex(c.objectId, 4), hex(c.windowId, 2), QString::number(c.x),
                                  QString::number(c.y)});
  }
  compObjects_->setEnabled(e != nullptr);
  if (compObject_ >= n) compObject_ = n > 0 ? n - 1 : 0;
  if (n > 0) compObjects_->selectDataRow(compObject_);
  showing_ = false;
  showCrop();
  drawPreview();
}

void MenuEffectsTab::showCrop() {
  const mirdal::EffectSequence* s = current();
  const mirdal::CompositionObject* c = nullptr;
  if (s && effect_ < int(s->effects.size()) && compObject_ < int(s->effects[std::size_t(effect_)].compObjects.size()))
    c = &s->effects[std::size_t(effect_)].compObjects[std::size_t(compObject_)];
  const bool on = c && c->cropped();
  cropped_->setChecked(on);
  const int values[4] = {on ? c->cropX : 0, on ? c->cropY : 0, on ? c->cropWidth : 0, on ? c->cropHeight : 0};
  for (int i = 0; i < 4; ++i) {
    crop_[i]->setValue(values[i]);
    crop_[i]->setEnabled(on);
  }
}

// The chosen effect as the player draws it: each composition object's
// window cleared to the object background (framed when window frames are
// on), then the object, cropped as stored, through the effect's palette
// (framed when button frames are on).
void MenuEffectsTab::drawPreview() {
  const mirdal::EffectSequence* s = current();
  if (!s) {
    preview_->clear();
    return;
  }
  const mirdal::IgMenu& m = ctx_.menu();
  const mirdal::Options& o = ctx_.workspace().options;
  const mirdal::Colour background = colourOf(o.colours.objectBackground);
  mirdal::Canvas c;
  c.width = m.ics.videoWidth;
  c.height = m.ics.videoHeight;
  c.rgba.assign(std::size_t(c.width) * std::size_t(c.height) * 4, 255);
  mirdal::fillRect(c, {0, 0, c.width, c.height}, background);
  if (effect_ < int(s->effects.size())) {
    const mirdal::Effect& e = s->effects[std::size_t(effect_)];
    for (const mirdal::CompositionObject& co : e.compObjects) {
      mirdal::Rect clip{0, 0, c.width, c.height};
      if (co.windowId < s->windowCount) {
        const mirdal::EffectWindow& w = s->windows[co.windowId];
        clip = {w.x, w.y, w.width, w.height};
        mirdal::fillRect(c, clip, background);
        if (o.windowFrame) mirdal::frameRect(c, clip, colourOf(o.colours.window));
      }
      mirdal::RgbaPicture pic = mirdal::objectPicture(m, co.objectId, e.paletteId);
      if (pic.rgba.empty()) continue;
      if (co.cropped()) pic = mirdal::cropPicture(pic, co.cropX, co.cropY, co.cropWidth, co.cropHeight);
      mirdal::blendPicture(c, pic, co.x, co.y, clip);
      if (o.buttonFrame) mirdal::frameRect(c, {co.x, co.y, pic.width, pic.height}, colourOf(o.colours.normalButton));
    }
  }
  preview_->setPicture(toQImage(c));
}

void MenuEffectsTab::windowEdited(int row, int column, const QString& text) {
  const mirdal::EffectSequence* s = current();
  const auto w = s && row < s->windowCount
                     ? mirdal::editedWindow(s->windows[std::size_t(row)], column, typedBytes(text))
                     : std::nullopt;
  if (w) {
    const int p = ctx_.page();
    ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Effects, std::size_t(row), 1, std::size_t(p)), [&](mirdal::IgMenu& m) {
      return mirdal::setEffectWindow(m, std::size_t(p), seq_, std::size_t(row), *w);
    });
  }
  showAll();
}

void MenuEffectsTab::effectEdited(int row, int column, const QString& text) {
  const mirdal::EffectSequence* s = current();
  if (s && row < int(s->effects.size())) {
    if (const auto e = mirdal::editedEffect(s->effects[std::size_t(row)], column, typedBytes(text))) {
      const int p = ctx_.page();
      ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Effects, std::size_t(row), 1, std::size_t(p)), [&](mirdal::IgMenu& m) {
        return mirdal::setEffect(m, std::size_t(p), seq_, std::size_t(row), e->duration, e->paletteId);
      });
    }
  }
  showAll();
}

void MenuEffectsTab::compObjectEdited(int row, int column, const QString& text) {
  const mirdal::EffectSequence* s = current();
  if (s && effect_ < int(s->effects.size()) && row < int(s->effects[std::size_t(effect_)].compObjects.size())) {
    const auto c = mirdal::editedCompObject(s->effects[std::size_t(effect_)].compObjects[std::size_t(row)], column,
                                            typedBytes(text));
    if (c) {
      const int p = ctx_.page();
      compObject_ = row;
      ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Effects, std::size_t(effect_), 1, std::size_t(p)),
                           [&](mirdal::IgMenu& m) {
                             return mirdal::setCompObject(m, std::size_t(p), seq_, std::size_t(effect_), std::size_t(row), *c);
                           });
    }
  }
  showAll();
}

void MenuEffectsTab::cropCommitted() {
  const mirdal::EffectSequence* s = current();
  if (!s || effect_ >= int(s->effects.size()) ||
      compObject_ >= int(s->effects[std::size_t(effect_)].compObjects.size()))
    return;
  mirdal::CompositionObject c = s->effects[std::size_t(effect_)].compObjects[std::size_t(compObject_)];
  if (!c.cropped()) return;
  c.cropX = std::uint16_t(crop_[0]->value());
  c.cropY = std::uint16_t(crop_[1]->value());
  c.cropWidth = std::uint16_t(crop_[2]->value());
  c.cropHeight = std::uint16_t(crop_[3]->value());
  const int p = ctx_.page();
  ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Effects, std::size_t(effect_), 1, std::size_t(p)), [&](mirdal::IgMenu& m) {
    return mirdal::setCompObject(m, std::size_t(p), seq_, std::size_t(effect_), std::size_t(compObject_), c);
  });
  showCrop();  // a refused rectangle shows the stored one
}

void MenuEffectsTab::insertRow(StringGrid* g) {
  const mirdal::EffectSequence* s = current();
  if (!s) return;
  const std::size_t p = std::size_t(ctx_.page());
  const auto notice = mirdal::ChangeNotice::resized(MenuPart::Effects, 0, p);
  if (g == windows_) {
    ctx_.document().edit(notice, [&](mirdal::IgMenu& m) { return mirdal::insertEffectWindow(m, p, seq_); });
  } else if (g == effects_) {
    // After the chosen effect (as the first of an empty sequence).
    const std::size_t at = s->effects.empty() ? 0 : std::size_t(effect_) + 1;
    if (ctx_.document().edit(notice, [&](mirdal::IgMenu& m) { return mirdal::insertEffect(m, p, seq_, at); })) {
      effect_ = int(at);
      compObject_ = 0;
    }
  } else if (effect_ < int(s->effects.size())) {
    const std::size_t at = s->effects[std::size_t(effect_)].compObjects.size();
    if (ctx_.document().edit(notice, [&](mirdal::IgMenu& m) {
          return mirdal::insertCompObject(m, p, seq_, std::size_t(effect_), mirdal::CompositionObject{});
        }))
      compObject_ = int(at);
  }
  showAll();
}

void MenuEffectsTab::deleteRow(StringGrid* g) {
  const mirdal::EffectSequence* s = current();
  const int row = g->currentRow();
  if (!s || row < 0 || row >= g->dataRowCount()) return;
  const std::size_t p = std::size_t(ctx_.page());
  const auto notice = mirdal::ChangeNotice::resized(MenuPart::Effects, std::size_t(row), p);
  if (g == windows_)
    ctx_.document().edit(notice, [&](mirdal::IgMenu& m) { return mirdal::deleteEffectWindow(m, p, seq_, std::size_t(row)); });
  else if (g == effects_)
    ctx_.document().edit(notice, [&](mirdal::IgMenu& m) { return mirdal::deleteEffect(m, p, seq_, std::size_t(row)); });
  else
    ctx_.document().edit(notice, [&](mirdal::IgMenu& m) {
      return mirdal::deleteCompObject(m, p, seq_, std::size_t(effect_), std::size_t(row));
    });
  showAll();
}

bool MenuEffectsTab::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* g = qobject_cast<StringGrid*>(o);
    const auto* k = static_cast<QKeyEvent*>(e);
    if (g && k->modifiers() == Qt::NoModifier && k->key() == Qt::Key_Insert) {
      insertRow(g);
      return true;
    }
    if (g && k->modifiers() == Qt::NoModifier && k->key() == Qt::Key_Delete && !g->isEditMode()) {
      deleteRow(g);
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

}  // namespace mirdal::gui
