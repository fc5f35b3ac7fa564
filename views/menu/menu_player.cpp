#include "views/menu/menu_player.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/options.h"
#include "core/report.h"
#include "documents/workspace.h"
#include "menu/menu_edit.h"
#include "views/common/document_signals.h"
#include "views/menu/menu_context.h"
#include "views/common/text.h"
#include "views/common/gui_reporter_access.h"
#include "views/menu/menu_values.h"

namespace mirdal::gui {

namespace {

// A chosen background picture at the view's edge: any format Qt reads,
// as RGBA (a picture without alpha is opaque and covers the colour).
std::optional<mirdal::Canvas> loadPicture(const std::string& path) {
  QImage img(pathText(path));
  if (img.isNull()) return std::nullopt;
  img = img.convertToFormat(QImage::Format_RGBA8888);
  mirdal::Canvas c;
  c.width = img.width();
  c.height = img.height();
  c.rgba.resize(std::size_t(c.width) * std::size_t(c.height) * 4);
  for (int y = 0; y < c.height; ++y)
    std::memcpy(c.rgba.data() + std::size_t(y) * std::size_t(c.width) * 4, img.constScanLine(y),
                std::size_t(c.width) * 4);
  return c;
}

}  // namespace

mirdal::RenderOptions renderOptionsFrom(const mirdal::Options& o) {
  mirdal::RenderOptions r;
  const mirdal::MenuColours& c = o.colours;
  r.background = colourOf(c.background);
  r.selectedButton = colourOf(c.selectedButton);
  r.normalButton = colourOf(c.normalButton);
  r.invalidButton = colourOf(c.invalidButton);
  r.window = colourOf(c.window);
  r.selectedFrame = colourOf(c.selectedFrame);
  r.normalFrame = colourOf(c.normalFrame);
  r.invalidFrame = colourOf(c.invalidFrame);
  r.buttonId = o.buttonId;
  r.objectId = o.objectId;
  r.buttonFrame = o.buttonFrame;
  r.windowFrame = o.windowFrame;
  r.fullScreen = o.showFullScreen;
  r.preload = o.preLoad;
  return r;
}

MenuPlayer::MenuPlayer(MenuContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  clock_ = [started] { return std::uint64_t(started->elapsed()); };
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &MenuPlayer::advance);
  r_.menu = &menu_;
  documentAlive_ = ctx_.document().lifetime();

  connect(&ctx_.changes(), &DocumentSignals::changed, this, [this](const mirdal::ChangeNotice& n) {
    const std::size_t pages = menu_.ics.pages.size();
    takeModel();
    // A new menu, or one whose pages or buttons are no longer those the
    // emulation runs on, starts again from the still page.
    const bool sameShape = pages == menu_.ics.pages.size() && running_ && emu_ &&
                           emu_->page() < menu_.pageButtons.size() &&
                           r_.states.size() == menu_.pageButtons[emu_->page()].ids.size();
    if (n.cause == mirdal::ChangeNotice::Cause::Load || !sameShape) {
      running_ = false;
      timer_.stop();
      showStill();
      return;
    }
    if (!emu_->effectsPlaying()) mirdal::drawPage(r_, selectedButton());
    copyDirty();
  });
  connect(&ctx_, &MenuContext::pageChanged, this, [this](int p) {
    if (running_ && emu_ && p == int(emu_->page())) return;  // the emulation changed it
    running_ = false;
    timer_.stop();
    showStill();
  });
}

MenuPlayer::~MenuPlayer() = default;

mirdal::Workspace& MenuPlayer::ws() const { return ctx_.workspace(); }

void MenuPlayer::setClock(std::function<std::uint64_t()> ms) { clock_ = std::move(ms); }

bool MenuPlayer::canStart() const { return ctx_.loaded() && !ctx_.menu().ics.pages.empty(); }

bool MenuPlayer::popUpMenu() const { return ctx_.loaded() && (ctx_.menu().ics.model & 1); }

int MenuPlayer::page() const {
  if (running_ && emu_) return int(emu_->page());
  const int p = ctx_.page();
  return p >= 0 && std::size_t(p) < menu_.ics.pages.size() ? p : 0;
}

std::uint32_t MenuPlayer::selectedButton() const { return ws().regs.psr[mirdal::kPsrSelectedButton]; }

void MenuPlayer::takeModel() {
  menu_ = ctx_.menu();
  if (menu_.pageButtons.size() != menu_.ics.pages.size()) mirdal::buildAllPageButtons(menu_);
  r_.menu = &menu_;
}

void MenuPlayer::restartEmulator() {
  emu_ = std::make_unique<mirdal::MenuEmulator>(menu_, ws().regs, ws().run, guiReporter(), &r_);
  const mirdal::Options& o = ws().options;
  emu_->options.animate = o.showButtonAnimation;
  emu_->options.inEffects = o.showInEffects;
  emu_->options.outEffects = o.showOutEffects;
}

// The background follows the colour and the chosen picture; it is built
// again only when one of them changed.
void MenuPlayer::optionsChanged() {
  const mirdal::Options& o = ws().options;
  const mirdal::RenderOptions before = r_.options;
  r_.options = renderOptionsFrom(o);
  const std::string picture = o.background ? o.backgroundPic : std::string();
  if (r_.background.rgba.empty() || picture != backgroundPicture_ || !(before.background == r_.options.background)) {
    backgroundPicture_ = picture;
    std::optional<mirdal::Canvas> pic;
    if (!picture.empty()) {
      pic = loadPicture(picture);
      if (!pic) guiReporter().logError("Cannot read the background picture " + picture);
    }
    mirdal::drawBackground(r_, pic ? &*pic : nullptr);
  }
  if (emu_) {
    emu_->options.animate = o.showButtonAnimation;
    emu_->options.inEffects = o.showInEffects;
    emu_->options.outEffects = o.showOutEffects;
  }
  if (running_) {
    if (!emu_->effectsPlaying()) mirdal::drawPage(r_, selectedButton());
    copyDirty();
    schedule();
  } else {
    showStill();
  }
}

void MenuPlayer::showStill() {
  r_.report = &guiReporter();
  if (r_.background.rgba.empty()) optionsChanged();
  if (!canStart()) {
    r_.states.clear();
    mirdal::clearPage(r_);
  } else {
    if (menu_.ics.pages.empty()) takeModel();
    const std::size_t p = std::size_t(page());
    mirdal::resetButtonStates(r_, p);
    std::uint32_t sel = mirdal::selectedOnPageShow(r_, mirdal::kNoButton);
    if (stillSelected_ >= 0) sel = std::uint32_t(stillSelected_);
    if (sel >= r_.states.size() || !mirdal::findButton(menu_, p, std::uint16_t(sel))) sel = mirdal::kNoButton;
    mirdal::drawPage(r_, sel);
  }
  stillSelected_ = -1;
  r_.dirty.assign(1, mirdal::Rect{0, 0, r_.picture.width, r_.picture.height});
  emit buttonsChanged();
  copyDirty();
}

void MenuPlayer::start() {
  if (!canStart()) return;
  if (running_ && emu_ && ws().run.traceInProgress() && activeButton_ >= 0) {
    emu_->continueTrace(std::uint16_t(activeButton_), now());
    settle(true);
    return;
  }
  takeModel();
  if (r_.background.rgba.empty()) optionsChanged();
  ws().regs.psr[mirdal::kPsrMenuPage] = std::uint32_t(page());
  restartEmulator();
  running_ = true;
  activeButton_ = -1;
  emu_->start(now());
  emit buttonsChanged();
  settle(false);
  // A pop-up menu shows nothing until the Pop-up key: say so, or Start
  // looks as if it did nothing (a new menu is a pop-up menu).
  if (emu_ && !emu_->shown()) guiReporter().setStatusPanel("Pop-up menu: press Pop-up (P) to show it.", 1);
}

void MenuPlayer::key(mirdal::MenuKey k) {
  if (!running_ || !emu_ || ws().run.inRun() || pressing_) return;
  if (k == mirdal::MenuKey::Select) showActivated();
  if (!running_ || !emu_) return;  // the menu went away meanwhile
  emu_->key(k, now());
  settle(false);
}

// The activated state is shown before the button's commands run, for its
// frames at the page's animation rate. The window keeps repainting and
// handling events meanwhile (keys wait; Cancel cuts it short).
void MenuPlayer::showActivated() {
  const std::uint32_t id = selectedButton();
  const std::size_t p = std::size_t(page());
  const mirdal::IgButton* b =
      id < r_.states.size() ? mirdal::findButton(menu_, p, std::uint16_t(id)) : nullptr;
  if (!b || emu_->effectsPlaying() || b->activatedStart == mirdal::kNoObjectId) return;
  const int frames = b->activatedEnd >= b->activatedStart ? b->activatedEnd - b->activatedStart + 1 : 1;
  const int interval = int(mirdal::animationIntervalMs(menu_.ics.frameRate, menu_.ics.pages[p].animationFrameRateCode));
  pressing_ = true;
  mirdal::drawButton(r_, std::uint16_t(id), ButtonLook::Activated);
  copyDirty();
  QEventLoop wait;
  pressWait_ = &wait;
  for (int f = 0; f < frames && pressing_; ++f) {
    if (f > 0) {
      mirdal::drawButtonStep(r_, std::uint16_t(id), mirdal::ButtonLook::Activated);
      copyDirty();
    }
    QTimer::singleShot(std::max(interval, 40), &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
  }
  pressWait_ = nullptr;
  pressing_ = false;
}

void MenuPlayer::advance() {
  if (!running_ || !emu_ || pressing_) return;
  emu_->advance(now());
  settle(false);
}

bool MenuPlayer::skipEffects() {
  if (pressing_ && pressWait_) {
    pressing_ = false;
    pressWait_->quit();
    return true;
  }
  if (!running_ || !emu_ || !emu_->effectsPlaying()) return false;
  emu_->skipEffects();
  settle(false);
  return true;
}

void MenuPlayer::stop() { timer_.stop(); }

void MenuPlayer::chooseButton(int id) {
  if (id < 0) return;
  if (!running_ || !emu_) {
    stillSelected_ = id;
    showStill();
    return;
  }
  emu_->selectButton(std::uint16_t(id), now());
  settle(false);
}

void MenuPlayer::hover(mirdal::Point p) {
  if (!running_ || !emu_ || drag_ || emu_->effectsPlaying()) return;
  if (const auto k = mirdal::hoverKey(menu_, std::size_t(page()), selectedButton(), p)) key(*k);
}

bool MenuPlayer::overSelected(mirdal::Point p) const {
  return menuShown() && mirdal::overSelectedButton(menu_, std::size_t(page()), selectedButton(), p);
}

void MenuPlayer::click(mirdal::Point p) {
  if (overSelected(p)) key(mirdal::MenuKey::Select);
}

bool MenuPlayer::beginDrag(mirdal::Point page, mirdal::Point view) {
  if (!canStart() || (emu_ && emu_->effectsPlaying())) return false;
  const auto id = mirdal::dragButtonAt(menu_, std::size_t(this->page()), r_.states, page);
  if (!id) return false;
  drag_ = Drag{*id, view};
  return true;
}

std::string MenuPlayer::dragTo(mirdal::Point view, mirdal::DragMode mode) {
  if (!drag_) return {};
  const mirdal::DragStep step = mirdal::dragMove(menu_, std::size_t(page()), r_.states, drag_->id, selectedButton(),
                                                 drag_->origin, view, mode, ws().options.grid);
  drag_->origin = step.origin;
  if (step.movedX || step.movedY) {
    mirdal::drawPage(r_, running_ ? selectedButton() : selectedOnStill());
    copyDirty();
  }
  return step.status;
}

void MenuPlayer::endDrag() {
  if (!drag_) return;
  const std::uint16_t id = drag_->id;
  drag_.reset();
  if (documentAlive_.expired()) return;
  const std::size_t p = std::size_t(page());
  const mirdal::IgButton* moved = mirdal::findButton(menu_, p, id);
  const mirdal::IgMenu& doc = ctx_.menu();
  if (!moved || p >= doc.pageButtons.size() || id >= doc.pageButtons[p].ids.size()) return;
  const auto& slot = doc.pageButtons[p].ids[id];
  if (slot.bog < 0 || slot.button < 0) return;
  const mirdal::IgButton* was = mirdal::findButton(doc, p, id);
  if (!was || (was->x == moved->x && was->y == moved->y)) return;
  const std::uint32_t x = moved->x, y = moved->y;
  const std::size_t sounds = ws().sound.model().entries.size();
  ctx_.document().edit(mirdal::ChangeNotice::rows(MenuPart::Buttons, std::size_t(slot.button), 1, std::size_t(slot.bog)),
                       [&](mirdal::IgMenu& m) {
                         const bool a = mirdal::setButtonField(m, p, std::size_t(slot.bog), std::size_t(slot.button),
                                                               mirdal::ButtonField::X, x, sounds);
                         const bool b = mirdal::setButtonField(m, p, std::size_t(slot.bog), std::size_t(slot.button),
                                                               mirdal::ButtonField::Y, y, sounds);
                         return a || b;
                       });
}

std::uint32_t MenuPlayer::selectedOnStill() const {
  if (std::size_t(page()) >= menu_.ics.pages.size()) return mirdal::kNoButton;
  return mirdal::selectedOnPageShow(r_, mirdal::kNoButton);
}

void MenuPlayer::settle(bool ran) {
  bool pageShown = false;
  std::optional<bool> popUpShown;
  int selected = -1, activated = -1;
  const mirdal::SoundFile& snd = ws().sound.model();
  for (const mirdal::MenuEvent& e : emu_->events()) {
    switch (e.kind) {
      case mirdal::MenuEvent::Kind::Sound:
        if (ws().options.playSound && playSound_ && ws().sound.loaded() && e.id < snd.entries.size())
          playSound_(int(e.id));
        break;
      case mirdal::MenuEvent::Kind::Page: pageShown = true; break;
      case mirdal::MenuEvent::Kind::Selected: selected = int(e.id); break;
      case mirdal::MenuEvent::Kind::Activated: activated = int(e.id); break;
      case mirdal::MenuEvent::Kind::EffectShown: guiReporter().setStatusPanel(e.text, 1); break;
      case mirdal::MenuEvent::Kind::PopUp: popUpShown = e.id != 0; break;
      default: break;
    }
  }
  emu_->events().clear();
  if (popUpShown) emit popUpChanged(*popUpShown);
  if (pageShown) {
    emit buttonsChanged();
    ctx_.setPage(int(emu_->page()));
    showRegistersLine();
  }
  if (activated >= 0) activeButton_ = activated;
  if (activated >= 0 || ran) {
    if (activeButton_ >= 0) emit buttonShown(activeButton_);
    emit ranCommands(emu_->lastRun(), activeButton_);
  } else if (selected >= 0) {
    emit buttonShown(selected);
  }
  if (effects_ != emu_->effectsPlaying()) {
    effects_ = emu_->effectsPlaying();
    emit effectsPlayingChanged(effects_);
  }
  copyDirty();
  schedule();
}

void MenuPlayer::copyDirty() {
  const mirdal::Canvas& c = r_.picture;
  if (c.width <= 0 || c.height <= 0 || c.rgba.size() < std::size_t(c.width) * std::size_t(c.height) * 4) {
    r_.dirty.clear();
    return;
  }
  if (image_.width() != c.width || image_.height() != c.height) {
    image_ = QImage(c.width, c.height, QImage::Format_RGBA8888);
    r_.dirty.assign(1, mirdal::Rect{0, 0, c.width, c.height});
  }
  if (r_.dirty.empty()) return;
  for (const mirdal::Rect& d : r_.dirty) {
    const int x0 = std::clamp(d.x, 0, c.width), x1 = std::clamp(d.x + d.w, 0, c.width);
    const int y0 = std::clamp(d.y, 0, c.height), y1 = std::clamp(d.y + d.h, 0, c.height);
    if (x1 <= x0) continue;
    for (int y = y0; y < y1; ++y)
      std::memcpy(image_.scanLine(y) + x0 * 4,
                  c.rgba.data() + (std::size_t(y) * std::size_t(c.width) + std::size_t(x0)) * 4,
                  std::size_t(x1 - x0) * 4);
  }
  r_.dirty.clear();
  emit pictureChanged();
}

void MenuPlayer::schedule() {
  if (!running_ || !emu_) return timer_.stop();
  const std::uint64_t due = emu_->nextDue();
  if (due == UINT64_MAX) return timer_.stop();
  const std::uint64_t t = now();
  timer_.start(int(std::min<std::uint64_t>(due > t ? due - t : 0, 24u * 3600u * 1000u)));
}

void MenuPlayer::showRegistersLine() {
  const std::uint32_t psr10 = selectedButton(), psr11 = ws().regs.psr[mirdal::kPsrMenuPage];
  char b[96];
  std::snprintf(b, sizeof b, "PSR10: %04X (%u), PSR11: %02X (%u)", psr10 & 0xFFFF, psr10, psr11 & 0xFF, psr11);
  guiReporter().setStatusPanel(b, 1);
}

}  // namespace mirdal::gui
