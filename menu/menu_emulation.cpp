#include "menu/menu_emulation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/report.h"
#include "nav/command_text.h"
#include "nav/trace.h"

namespace mirdal {

namespace {

std::string hex4(std::uint32_t v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
  return b;
}

}  // namespace

std::string eventText(const MenuEvent& e) {
  using K = MenuEvent::Kind;
  switch (e.kind) {
    case K::Page: return "page " + std::to_string(e.page);
    case K::Normal: return "normal " + hex4(e.id);
    case K::Selected: return "selected " + hex4(e.id);
    case K::Activated: return "activated " + hex4(e.id);
    case K::Command: return "command " + e.text;
    case K::Enabled: return "enabled " + hex4(e.id);
    case K::Disabled: return "disabled " + hex4(e.id);
    case K::OutEffects: return "out-effects of page " + std::to_string(e.page);
    case K::InEffects: return "in-effects of page " + std::to_string(e.page);
    case K::Sound: return "sound " + std::to_string(e.id);
    case K::TimeOut: return "time-out";
    case K::Announced: return "announced " + e.text;
    case K::PopUp: return e.id ? "pop-up shown" : "pop-up hidden";
    case K::EffectShown: return e.text;
  }
  return {};
}

std::optional<MenuKey> parseMenuKey(std::string_view w) {
  std::string s(w);
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (s == "up" || s == "u") return MenuKey::Up;
  if (s == "down" || s == "d") return MenuKey::Down;
  if (s == "left" || s == "l") return MenuKey::Left;
  if (s == "right" || s == "r") return MenuKey::Right;
  if (s == "select" || s == "sel" || s == "s" || s == "enter") return MenuKey::Select;
  if (s == "popup" || s == "pop-up" || s == "p") return MenuKey::PopUp;
  return std::nullopt;
}

MenuEmulator::MenuEmulator(IgMenu& menu, Registers& regs, RunState& run, Reporter& rep, PageRenderer* renderer)
    : m_(menu), regs_(regs), run_(run), rep_(rep), r_(renderer) {
  own_.menu = &m_;
  own_.report = &rep_;
  if (r_) r_->menu = &m_;
  if (r_) r_->report = &rep_;
  if (m_.pageButtons.size() != m_.ics.pages.size()) buildAllPageButtons(m_);
  if (psr11() < m_.ics.pages.size()) page_ = psr11();
}

const IgButton* MenuEmulator::button(std::uint32_t id) const {
  if (page_ >= m_.pageButtons.size() || id >= m_.pageButtons[page_].ids.size()) return nullptr;
  return findButton(m_, page_, std::uint16_t(id));
}

bool MenuEmulator::isSlot(std::uint32_t id) const { return id < states_().size() && button(id); }

void MenuEmulator::drawNormal(std::uint16_t id) {
  events_.push_back({MenuEvent::Kind::Normal, id, std::uint32_t(page_), {}});
  if (drawing()) drawButton(*r_, id, ButtonLook::Normal);
}

void MenuEmulator::drawSelected(std::uint16_t id) {
  events_.push_back({MenuEvent::Kind::Selected, id, std::uint32_t(page_), {}});
  if (const IgButton* b = button(id); b && b->selectedSound != 0xFF)
    events_.push_back({MenuEvent::Kind::Sound, b->selectedSound, std::uint32_t(page_), {}});
  if (drawing()) drawButton(*r_, id, ButtonLook::Selected);
}

void MenuEmulator::drawActivated(std::uint16_t id) {
  if (const IgButton* b = button(id); b && b->activatedSound != 0xFF)
    events_.push_back({MenuEvent::Kind::Sound, b->activatedSound, std::uint32_t(page_), {}});
  if (drawing()) drawButton(*r_, id, ButtonLook::Activated);
}

void MenuEmulator::executing(std::size_t line, const NavCommand& c) {
  events_.push_back({MenuEvent::Kind::Command, 0, std::uint32_t(page_),
                     traceDisplayText(commandRow(c, line, CommandContext::ButtonCommands), line)});
}

void MenuEmulator::announced(std::string_view message) {
  events_.push_back({MenuEvent::Kind::Announced, 0, std::uint32_t(page_), std::string(message)});
}

void MenuEmulator::activate(std::uint16_t id) {
  const IgButton* b = button(id);
  if (!b) return;
  events_.push_back({MenuEvent::Kind::Activated, id, std::uint32_t(page_), {}});
  const CommandList program = b->commands;  // the run may change pages
  run_.line = run_.trace ? -1 : 0;
  runProgram(id, program);
}

void MenuEmulator::continueTrace(std::uint16_t id, std::uint64_t now) {
  advance(now);
  const IgButton* b = button(id);
  if (!b || !run_.traceInProgress()) return;
  const CommandList program = b->commands;
  runProgram(id, program);
}

void MenuEmulator::runProgram(std::uint16_t id, const CommandList& program) {
  MenuHost* oldMenu = run_.menu;
  RunObserver* oldObserver = run_.observer;
  const std::uint64_t oldMax = run_.maxSteps;
  run_.menu = this;
  run_.observer = this;
  run_.maxSteps = options.maxSteps;
  last_ = executeProgram(program, regs_, run_, rep_);
  if (last_.stepLimitReached)
    rep_.logError("Button " + hex4(id) + ": the program did not end within " + std::to_string(options.maxSteps) +
             " commands");
  run_.menu = oldMenu;
  run_.observer = oldObserver;
  run_.maxSteps = oldMax;
}

void MenuEmulator::armTimeOut() {
  const IgPage* p = page_ < m_.ics.pages.size() ? &m_.ics.pages[page_] : nullptr;
  timeoutAt_ = 0;
  if (p && p->defaultActivatedButton != kNoButton && m_.ics.userTimeout > 0)
    timeoutAt_ = now_ + std::max<std::uint64_t>(1, m_.ics.userTimeout / 90);
}

void MenuEmulator::beginEffect() {
  const auto [page, which] = queued_.front();
  const EffectSequence& seq = m_.ics.pages[page].effects[which];
  effect_.active = true;
  effect_.page = page;
  effect_.which = which;
  effect_.index = 0;
  effect_.until = now_ + seq.effects[0].duration / 90;
  effect_.shownAt = now_;
  if (r_) drawEffect(*r_, seq, 0);
}

void MenuEmulator::effectShown(const EffectSequence& seq) {
  const std::size_t i = effect_.index;
  events_.push_back({MenuEvent::Kind::EffectShown, std::uint32_t(i), std::uint32_t(effect_.page),
                     "Effect: " + std::to_string(i) + "  duration: " + std::to_string(seq.effects[i].duration / 90) +
                         "ms, displayed: " + std::to_string(now_ - effect_.shownAt) + " ms"});
}

void MenuEmulator::startEffects(std::size_t page, int which) {
  if (page >= m_.ics.pages.size() || m_.ics.pages[page].effects[which].effects.empty()) return;
  events_.push_back({which ? MenuEvent::Kind::OutEffects : MenuEvent::Kind::InEffects, 0, std::uint32_t(page), {}});
  queued_.emplace_back(page, which);
  if (!effect_.active) {
    if (r_) clearPage(*r_);
    beginEffect();
  }
}

void MenuEmulator::finishEffects() {
  // Steps through every effect whose time is over.
  while (effect_.active && now_ >= effect_.until) {
    const EffectSequence& seq = m_.ics.pages[effect_.page].effects[effect_.which];
    effectShown(seq);
    if (++effect_.index < seq.effects.size()) {
      effect_.until += seq.effects[effect_.index].duration / 90;
      effect_.shownAt = now_;
      if (r_) drawEffect(*r_, seq, effect_.index);
      continue;
    }
    if (r_) endEffects(*r_, seq);
    queued_.erase(queued_.begin());
    effect_.active = false;
    if (!queued_.empty()) {
      beginEffect();
    } else if (r_) {
      drawPage(*r_, regs_.psr[kPsrSelectedButton]);  // the buttons come after the effects
    }
  }
}

void MenuEmulator::showPage(std::size_t page) {
  page_ = page;
  events_.push_back({MenuEvent::Kind::Page, 0, std::uint32_t(page), {}});
  armTimeOut();
  const IgPage& p = m_.ics.pages[page];
  nextFrame_ = now_ + animationIntervalMs(m_.ics.frameRate, p.animationFrameRateCode);
  regs_.psr[43] = regs_.psr[kPsrMenuPage];
  if (options.inEffects && !p.effects[0].effects.empty()) {
    startEffects(page, 0);
  } else if (drawing()) {
    drawPage(*r_, regs_.psr[kPsrSelectedButton]);
  }
  if (isSlot(psr10())) events_.push_back({MenuEvent::Kind::Selected, psr10(), std::uint32_t(page), {}});
}

// The page comes up as a player brings it up: the state table anew, the
// selection by the player's rule, the page drawn, and the selected button
// run at once when it is an auto-action button.
void MenuEmulator::enterPage(std::size_t page) {
  page_ = page;
  regs_.psr[kPsrMenuPage] = std::uint32_t(page);
  resetButtonStates(rend(), page);
  run_.line = 0;
  const std::uint16_t selected = selectedOnPageShow(rend(), psr10());
  regs_.psr[kPsrSelectedButton] = selected;
  showPage(page);
  if (isSlot(selected) && button(selected)->autoAction == std::uint8_t(ButtonFlag::On)) activate(selected);
}

void MenuEmulator::start(std::uint64_t now) {
  now_ = now;
  if (m_.ics.pages.empty()) return;
  if (page_ >= m_.ics.pages.size()) page_ = 0;
  started_ = true;
  startPage_ = page_;
  queued_.clear();
  effect_.active = false;
  if (popUpMenu()) {
    // A player shows a pop-up menu only on the Pop-up key; until then
    // nothing of it runs.
    popUpShown_ = false;
    showPopUp(false);
    return;
  }
  enterPage(page_);
}

void MenuEmulator::showPopUp(bool on) {
  popUpShown_ = on;
  events_.push_back({MenuEvent::Kind::PopUp, on ? 1u : 0u, std::uint32_t(page_), {}});
  if (on) return enterPage(startPage_);
  timeoutAt_ = 0;
  queued_.clear();
  effect_.active = false;
  if (r_) clearPage(*r_);
}

void MenuEmulator::popUpOff() {
  if (popUpMenu() && popUpShown_) showPopUp(false);
}

void MenuEmulator::selectKey() {
  const std::uint16_t id = psr10();
  if (!isSlot(id)) return;
  const std::uint32_t page = regs_.psr[kPsrMenuPage];
  const bool autoAction = button(id)->autoAction == std::uint8_t(ButtonFlag::On);
  drawActivated(id);
  activate(id);
  if (psr10() == id && regs_.psr[kPsrMenuPage] == page && !autoAction) drawSelected(id);
}

void MenuEmulator::key(MenuKey k, std::uint64_t now) {
  advance(now);
  if (page_ >= m_.ics.pages.size() || !started_) return;
  if (k == MenuKey::PopUp) {
    if (popUpMenu()) showPopUp(!popUpShown_);
    return;
  }
  if (!shown()) return;
  armTimeOut();  // the time-out counts from the last key
  if (k == MenuKey::Select) return selectKey();
  const std::uint16_t id = psr10();
  if (!isSlot(id)) return;
  const IgButton* b = button(id);
  const std::uint16_t target = k == MenuKey::Up     ? b->upper
                               : k == MenuKey::Down ? b->lower
                               : k == MenuKey::Left ? b->left
                                                    : b->right;
  // A link to a button the page does not have would leave the menu with a
  // selection no key can move away from; such a key is ignored.
  if (target == id || !isSlot(target)) return;
  drawNormal(id);
  regs_.psr[kPsrSelectedButton] = target;
  if (button(target)->autoAction == std::uint8_t(ButtonFlag::On)) return activate(target);
  table()[target].selectedAnimating = button(target)->selectedStart != button(target)->selectedEnd;
  drawSelected(target);
}

void MenuEmulator::timeOut() {
  events_.push_back({MenuEvent::Kind::TimeOut, 0, std::uint32_t(page_), {}});
  const IgPage& p = m_.ics.pages[page_];
  if (isSlot(psr10()) && p.defaultActivatedButton == 0xFFFE) return selectKey();
  const std::uint16_t id = p.defaultActivatedButton;
  if (!isSlot(id) || !table()[id].shown) return;
  if (psr10() < kNoButton) drawNormal(psr10());
  const std::uint32_t page = regs_.psr[kPsrMenuPage];
  regs_.psr[kPsrSelectedButton] = id;
  const bool autoAction = button(id)->autoAction == std::uint8_t(ButtonFlag::On);
  drawActivated(id);
  activate(id);
  if (psr10() == id && regs_.psr[kPsrMenuPage] == page && !autoAction) drawSelected(id);
}

void MenuEmulator::selectButton(std::uint16_t id, std::uint64_t now) {
  advance(now);
  if (started_ && !shown()) return;
  if (!isSlot(id) || id == psr10()) return;
  if (isSlot(psr10())) drawNormal(psr10());
  regs_.psr[kPsrSelectedButton] = id;
  table()[id].selectedAnimating = button(id)->selectedStart != button(id)->selectedEnd;
  drawSelected(id);
}

void MenuEmulator::skipEffects() {
  // Every queued sequence ends now: its remaining effects count as shown.
  for (int guard = 0; effect_.active && guard < 4096; ++guard) {
    effect_.until = now_;
    finishEffects();
  }
}

void MenuEmulator::advance(std::uint64_t now) {
  if (now < now_) now = now_;
  now_ = now;
  finishEffects();
  if (page_ >= m_.ics.pages.size()) return;
  if (started_ && !shown()) return;
  const std::uint32_t interval =
      animationIntervalMs(m_.ics.frameRate, m_.ics.pages[page_].animationFrameRateCode);
  if (options.animate && interval && now_ >= nextFrame_ && !effect_.active) {
    if (r_) animationTick(*r_, regs_.psr[kPsrSelectedButton]);
    nextFrame_ = now_ + interval;  // a late tick is not made up, as with a timer
  }
  if (timeoutAt_ && now_ >= timeoutAt_) {
    timeoutAt_ = 0;  // once per page display, until the next key
    timeOut();
  }
}

std::uint64_t MenuEmulator::nextDue() const {
  std::uint64_t due = UINT64_MAX;
  if (effect_.active) due = std::min(due, effect_.until);
  if (started_ && !shown()) return due;
  if (options.animate && page_ < m_.ics.pages.size() &&
      animationIntervalMs(m_.ics.frameRate, m_.ics.pages[page_].animationFrameRateCode))
    due = std::min(due, nextFrame_);
  if (timeoutAt_) due = std::min(due, timeoutAt_);
  return due;
}

std::optional<CommandList> MenuEmulator::setButtonPage(const NavCommand& c, std::uint32_t n, std::uint32_t m) {
  const std::size_t oldPage = page_;
  const std::uint16_t oldButton = psr10();
  const bool pageFlag = c.src >> 31, effectsOff = (c.src >> 30) & 1, buttonFlag = c.dst >> 31;
  const std::size_t page = pageFlag ? (m & 0xFF) : oldPage;
  const std::uint16_t id = std::uint16_t(n & 0xFFFF);
  // What a player ignores: no flag; a page the menu does not have or the
  // page shown; without a page, a button the page does not have or the one
  // selected.
  if (!pageFlag && !buttonFlag) return std::nullopt;
  if (pageFlag && (page >= m_.ics.pages.size() || page == oldPage)) return std::nullopt;
  if (!pageFlag && (!isSlot(id) || id == oldButton)) return std::nullopt;

  if (pageFlag) {
    // The new page comes up with the selection a player makes for it; a
    // button named too overrides it when the page has that button.
    regs_.psr[kPsrMenuPage] = std::uint32_t(page);
    resetButtonStates(rend(), page);
    page_ = page;
    regs_.psr[kPsrSelectedButton] = selectedOnPageShow(rend(), oldButton);
  }
  if (buttonFlag && isSlot(id)) {
    std::vector<ButtonState>& st = table();
    for (std::size_t i = 0; i < st.size(); ++i)
      if (button(std::uint32_t(i)) && st[i].bog == st[id].bog) st[i].shown = false;
    st[id].shown = true;
    regs_.psr[kPsrSelectedButton] = id;
  }
  if (pageFlag) {
    if (!effectsOff && options.outEffects) startEffects(oldPage, 1);
    showPage(page_);
  } else {
    if (isSlot(oldButton) && table()[oldButton].bog != table()[id].bog) drawNormal(oldButton);
    drawSelected(id);
  }
  // The program ends; an auto-action button selected now runs next.
  if (isSlot(psr10()) && button(psr10())->autoAction == std::uint8_t(ButtonFlag::On)) {
    events_.push_back({MenuEvent::Kind::Activated, psr10(), std::uint32_t(page_), {}});
    return button(psr10())->commands;
  }
  return std::nullopt;
}

std::optional<std::uint16_t> MenuEmulator::enableButton(std::uint16_t id) {
  if (!isSlot(id)) return std::nullopt;
  std::optional<std::uint16_t> remember;
  std::vector<ButtonState>& st = table();
  if (isSlot(psr10()) && st[psr10()].bog == st[id].bog) {
    regs_.psr[kPsrSelectedButton] = kNoButton;
    remember = id;
  }
  for (std::size_t i = 0; i < st.size(); ++i)
    if (button(std::uint32_t(i)) && st[i].bog == st[id].bog) st[i].shown = false;
  st[id].shown = true;
  events_.push_back({MenuEvent::Kind::Enabled, id, std::uint32_t(page_), {}});
  drawNormal(id);
  return remember;
}

void MenuEmulator::disableButton(std::uint16_t id) {
  if (!isSlot(id)) return;
  table()[id].shown = false;
  events_.push_back({MenuEvent::Kind::Disabled, id, std::uint32_t(page_), {}});
  if (drawing()) removeButton(*r_, id);
}

void MenuEmulator::endOfRunSelection(std::uint16_t remembered) {
  if (psr10() != kNoButton) return;
  regs_.psr[kPsrSelectedButton] = remembered;
  drawSelected(remembered);
}

}  // namespace mirdal
