#include "views/menu/menu_page_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

#include "menu/menu_edit.h"
#include "present/number_text.h"
#include "views/common/combo_fill.h"
#include "views/common/document_signals.h"
#include "views/common/hex_edit.h"
#include "views/common/int_edit.h"
#include "views/menu/menu_context.h"
#include "views/common/named_controls.h"

namespace mirdal::gui {

namespace {

HexEdit* pageHexField(const char* name, const QString& hint, int digits, QWidget* parent) {
  auto* e = new HexEdit(parent, digits);
  e->setObjectName(QString::fromLatin1(name));
  e->setToolTip(hint);
  e->setAccessibleName(hint);
  return e;
}

IntEdit* intField(const char* name, const QString& hint, int digits, QWidget* parent) {
  auto* e = new IntEdit(parent, digits);
  e->setObjectName(QString::fromLatin1(name));
  e->setToolTip(hint);
  e->setAccessibleName(hint);
  return e;
}

}  // namespace

MenuPageBox::MenuPageBox(MenuContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("pMenuHead");
  auto* g = new QGridLayout(this);
  g->setContentsMargins(0, 0, 0, 0);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(3);

  page_ = namedChoice("cbPage", tr("Page ID"), this);
  page_->setMinimumContentsLength(3);
  page_->installEventFilter(this);
  count_ = new QLabel(QStringLiteral("(0)"), this);
  count_->setObjectName("lPageCount");
  uo1_ = pageHexField("heUO1", tr("User Operation Mask 1"), 8, this);
  uo2_ = pageHexField("heUO2", tr("User Operation Mask 2"), 1, this);
  rate_ = intField("ieFramerate", tr("Animation Frame Rate Code (divider)"), 3, this);
  defSel_ = pageHexField("heDefSelButt", tr("Default Selected Button"), 4, this);
  defAct_ = pageHexField("heDefActButt", tr("Default Activated Button"), 4, this);
  palette_ = pageHexField("hePalette", tr("Palette"), 2, this);
  const char* countNames[5] = {"ieInEffWin", "ieInEffEff", "ieOutEffWin", "ieOutEffEff", "ieBOGs"};
  const QString countHints[5] = {tr("Number of In effects windows"), tr("Number of In effects effects"),
                                 tr("Number of Out effects windows"), tr("Number of Out effects effects"),
                                 tr("Number of Button Overlap Groups")};
  for (int i = 0; i < 5; ++i) {
    counts_[i] = intField(countNames[i], countHints[i], 3, this);
    counts_[i]->setReadOnly(true);
    counts_[i]->setFocusPolicy(Qt::NoFocus);
    counts_[i]->installEventFilter(this);
  }

  // Three rows of captioned fields, so the box stays narrow beside the
  // composition and object boxes.
  const auto pair = [this](QWidget* a, QWidget* b) {
    auto* w = new QWidget(this);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(3);
    l->addWidget(a);
    if (b) l->addWidget(b);
    l->addStretch(1);
    return w;
  };
  const auto add = [&](int row, int col, const QString& caption, QWidget* w) {
    g->addWidget(new QLabel(caption, this), row, 2 * col);
    g->addWidget(w, row, 2 * col + 1);
  };
  add(0, 0, tr("Page ID"), pair(page_, count_));
  add(0, 1, tr("UO mask"), pair(uo1_, uo2_));
  add(0, 2, tr("Anim."), rate_);
  add(1, 0, tr("Def. sel."), defSel_);
  add(1, 1, tr("Def. act."), defAct_);
  add(1, 2, tr("Palette"), palette_);
  add(2, 0, tr("In win./eff."), pair(counts_[0], counts_[1]));
  add(2, 1, tr("Out win./eff."), pair(counts_[2], counts_[3]));
  add(2, 2, tr("BOGs"), counts_[4]);
  g->setColumnStretch(6, 1);
  g->setRowStretch(3, 1);

  order_ = {uo1_, uo2_, rate_, defSel_, defAct_, palette_};
  for (std::size_t i = 0; i < order_.size(); ++i) {
    auto* e = static_cast<QLineEdit*>(order_[i]);
    connect(e, &QLineEdit::editingFinished, this, [this, e] { store(e); });
    QWidget* next = order_[(i + 1) % order_.size()];
    connect(e, &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
  }
  // The animation rate is also stored while it is typed.
  connect(rate_, &QLineEdit::textEdited, this, [this] { store(rate_); });
  connect(page_, &QComboBox::activated, &ctx_, &MenuContext::setPage);
  connect(&ctx_, &MenuContext::pageChanged, this, [this] { showFields(); });
  connect(&ctx_.changes(), &DocumentSignals::changed, this, &MenuPageBox::documentChanged);
  showPages();
}

void MenuPageBox::documentChanged(const mirdal::ChangeNotice& n) {
  if (n.everythingChanged() && n.cause == mirdal::ChangeNotice::Cause::Load) {
    // A new menu: every view starts again from page 0.
    showPages();
    ctx_.setPage(-1);
    ctx_.setPage(ctx_.menu().ics.pages.empty() ? -1 : 0);
    return;
  }
  if (n.is(MenuPart::Pages)) {
    showPages();
    const int pages = int(ctx_.menu().ics.pages.size());
    if (ctx_.page() >= pages) ctx_.setPage(pages - 1);
    else if (ctx_.page() < 0 && pages > 0) ctx_.setPage(0);
  }
  showFields();
}

void MenuPageBox::showPages() {
  const int pages = ctx_.loaded() ? int(ctx_.menu().ics.pages.size()) : 0;
  setNumberItems(page_, pages);
  count_->setText(QStringLiteral("(%1)").arg(pages));
  page_->setEnabled(ctx_.loaded());
  showFields();
}

void MenuPageBox::showFields() {
  const int p = ctx_.page();
  const bool on = ctx_.loaded() && p >= 0 && p < int(ctx_.menu().ics.pages.size());
  showComboItem(page_, on ? p : -1);
  for (QWidget* w : order_) w->setEnabled(on);
  for (IntEdit* c : counts_) c->setEnabled(on);
  if (!on) {
    for (QWidget* w : order_) static_cast<QLineEdit*>(w)->clear();
    for (IntEdit* c : counts_) c->clear();
    return;
  }
  const mirdal::IgPage& pg = ctx_.menu().ics.pages[std::size_t(p)];
  uo1_->setValue(pg.uoMask[0]);
  uo2_->setValue(pg.uoMask[1]);
  rate_->setValue(pg.animationFrameRateCode);
  defSel_->setValue(pg.defaultSelectedButton);
  defAct_->setValue(pg.defaultActivatedButton);
  palette_->setValue(pg.paletteId);
  counts_[0]->setValue(pg.effects[0].windowCount);
  counts_[1]->setValue(std::int64_t(pg.effects[0].effects.size()));
  counts_[2]->setValue(pg.effects[1].windowCount);
  counts_[3]->setValue(std::int64_t(pg.effects[1].effects.size()));
  counts_[4]->setValue(std::int64_t(pg.bogs.size()));
}

void MenuPageBox::store(QWidget* field) {
  const int p = ctx_.page();
  if (!ctx_.loaded() || p < 0 || p >= int(ctx_.menu().ics.pages.size())) return;
  mirdal::PageField f{};
  std::int64_t value = 0;
  if (field == rate_) {
    f = mirdal::PageField::AnimationRate;
    value = rate_->value();
  } else {
    auto* h = static_cast<HexEdit*>(field);
    value = std::int64_t(h->value());
    f = field == uo1_      ? mirdal::PageField::UoMask1
        : field == uo2_    ? mirdal::PageField::UoMask2
        : field == defSel_ ? mirdal::PageField::DefaultSelected
        : field == defAct_ ? mirdal::PageField::DefaultActivated
                           : mirdal::PageField::Palette;
  }
  if (mirdal::fitsU32(value)) {
    // The palette field changes the palette references shown elsewhere.
    const mirdal::MenuPart what = f == mirdal::PageField::Palette ? mirdal::MenuPart::Palettes : mirdal::MenuPart::Page;
    ctx_.document().edit(mirdal::ChangeNotice::rows(what, std::size_t(p)), [&](mirdal::IgMenu& m) {
      return mirdal::setPageField(m, std::size_t(p), f, std::uint32_t(value));
    });
  }
  // While the animation rate is typed, the text stays as typed.
  if (field != rate_ || !rate_->hasFocus()) showFields();
}

void MenuPageBox::insertPage() {
  if (!ctx_.loaded()) return;
  // At 255 pages nothing happens and nothing is said.
  if (!ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Pages, ctx_.menu().ics.pages.size()),
                            [](mirdal::IgMenu& m) { return mirdal::createPage(m); }))
    return;
  ctx_.setPage(int(ctx_.menu().ics.pages.size()) - 1);
}

void MenuPageBox::deletePage() {
  const int p = ctx_.page();
  if (!ctx_.loaded() || p < 0) return;
  if (!ctx_.document().edit(mirdal::ChangeNotice::resized(MenuPart::Pages, std::size_t(p)),
                            [p](mirdal::IgMenu& m) { return mirdal::deletePage(m, std::size_t(p)); }))
    return;
  // The previous page; page 0 when the first was deleted. The same index
  // now names another page, so the views are told even when it stays.
  const int next = p > 0 ? p - 1 : 0;
  if (next == ctx_.page()) ctx_.setPage(-1);
  ctx_.setPage(next);
}

bool MenuPageBox::eventFilter(QObject* o, QEvent* e) {
  if (o == page_ && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Insert) {
      insertPage();
      return true;
    }
    if (k->key() == Qt::Key_Delete) {
      deletePage();
      return true;
    }
  }
  if (e->type() == QEvent::MouseButtonPress) {
    const int p = ctx_.page();
    if (ctx_.loaded() && p >= 0 && p < int(ctx_.menu().ics.pages.size())) {
      const mirdal::IgPage& pg = ctx_.menu().ics.pages[std::size_t(p)];
      for (int s = 0; s < 2; ++s) {
        if ((o == counts_[2 * s] || o == counts_[2 * s + 1]) && pg.effects[s].windowCount + pg.effects[s].effects.size() != 0)
          emit effectsRequested(s);
      }
      if (o == counts_[4]) emit bogsRequested();
    }
  }
  return QWidget::eventFilter(o, e);
}

}  // namespace mirdal::gui
