// The menu emulation: a remote control on the displayed menu. Five keys
// move the selection along the buttons' neighbour links and activate
// buttons, auto-action buttons run as soon as they are selected, and the
// user time-out activates the page's default button. Activated buttons run
// their commands through the interpreter; the menu commands come back here
// through MenuHost. Time comes from the caller (milliseconds of any clock),
// so nothing waits: the caller steps it from a timer, a test or a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <string>
#include <vector>

#include "menu/igs_model.h"
#include "menu/page_render.h"
#include "nav/interpreter.h"
#include "nav/registers.h"

namespace mirdal {

// PopUp is the remote's Pop-up key: it opens and closes a pop-up menu.
enum class MenuKey { Up, Down, Left, Right, Select, PopUp };

// What happened, in order; a view redraws from the renderer, a script
// prints these.
struct MenuEvent {
  enum class Kind {
    Page,       // page `page` drawn anew
    Normal,     // button `id` drawn in its normal state
    Selected,   // button `id` became the selected one
    Activated,  // button `id` activated (its commands run next)
    Command,    // one command executed; text is its line
    Enabled,
    Disabled,
    OutEffects,  // the out-effects of page `page` start
    InEffects,   // the in-effects of page `page` start
    Sound,       // sound `id` is played
    TimeOut,     // the user time-out fired
    Announced,   // a playback command announced itself; text
    PopUp,       // a pop-up menu was shown (id 1) or hidden (id 0)
    EffectShown, // an effect's time is over; text is the status line of it
  };
  Kind kind;
  std::uint32_t id = 0;
  std::uint32_t page = 0;
  std::string text;
  bool operator==(const MenuEvent&) const = default;
};

std::string eventText(const MenuEvent& e);

struct EmulationOptions {
  bool animate = true;
  bool inEffects = true;
  bool outEffects = true;
  // Commands one activation may run before it is stopped (a button that
  // jumps back to itself would otherwise never end).
  std::uint64_t maxSteps = 100000;
};

class MenuEmulator final : public MenuHost, private RunObserver {
 public:
  // renderer may be null (no drawing, events only); it reports to rep too.
  MenuEmulator(IgMenu& menu, Registers& regs, RunState& run, Reporter& rep, PageRenderer* renderer = nullptr);

  EmulationOptions options;

  // Start on the menu page at time now. A pop-up menu (user interface
  // model bit set) stays hidden and runs nothing until the Pop-up key.
  void start(std::uint64_t now);
  void key(MenuKey k, std::uint64_t now);
  // Lets time pass: animation steps, effect frames and the user time-out.
  void advance(std::uint64_t now);
  // Start while a trace of a button's commands is in progress: runs the
  // next command of button id's commands (from the run's line).
  void continueTrace(std::uint16_t id, std::uint64_t now);
  // The button choice of the run panel: button id becomes the selected
  // one (no auto action: choosing from a list is no remote key).
  void selectButton(std::uint16_t id, std::uint64_t now);
  // Ends the effects still playing at once (Cancel), drawing the page as it
  // is after them.
  void skipEffects();
  // What the last activation or trace step left: the next trace line, the
  // line to select.
  const ExecResult& lastRun() const { return last_; }

  std::vector<MenuEvent>& events() { return events_; }
  std::size_t page() const { return page_; }
  const std::vector<ButtonState>& states() const { return states_(); }
  bool effectsPlaying() const { return effect_.active; }
  bool popUpMenu() const { return m_.ics.model & 1; }
  // Whether the menu is on screen: always for an always-on menu once
  // started, for a pop-up menu between two Pop-up keys.
  bool shown() const { return started_ && (!popUpMenu() || popUpShown_); }
  // When advance() next has something to do (for a view's timer).
  std::uint64_t nextDue() const;

  // MenuHost
  std::optional<CommandList> setButtonPage(const NavCommand& c, std::uint32_t n, std::uint32_t m) override;
  std::optional<std::uint16_t> enableButton(std::uint16_t id) override;
  void disableButton(std::uint16_t id) override;
  void endOfRunSelection(std::uint16_t remembered) override;
  void popUpOff() override;

 private:
  void executing(std::size_t line, const NavCommand& c) override;
  void announced(std::string_view message) override;
  void finishEffects();
  void beginEffect();
  void effectShown(const EffectSequence& seq);

  const std::vector<ButtonState>& states_() const { return r_ ? r_->states : own_.states; }
  std::vector<ButtonState>& table() { return r_ ? r_->states : own_.states; }
  PageRenderer& rend() { return r_ ? *r_ : own_; }
  // Buttons are drawn while the menu is on screen and no effect plays.
  bool drawing() const { return r_ && !effect_.active && shown(); }
  bool isSlot(std::uint32_t id) const;
  const IgButton* button(std::uint32_t id) const;
  std::uint16_t psr10() const { return std::uint16_t(regs_.psr[kPsrSelectedButton]); }
  std::uint8_t psr11() const { return std::uint8_t(regs_.psr[kPsrMenuPage]); }

  void showPage(std::size_t page);
  void enterPage(std::size_t page);
  void showPopUp(bool on);
  void drawNormal(std::uint16_t id);
  void drawSelected(std::uint16_t id);
  void drawActivated(std::uint16_t id);
  void activate(std::uint16_t id);
  void runProgram(std::uint16_t id, const CommandList& program);
  void selectKey();
  void timeOut();
  void armTimeOut();
  void startEffects(std::size_t page, int which);

  IgMenu& m_;
  Registers& regs_;
  RunState& run_;
  Reporter& rep_;
  PageRenderer* r_;
  PageRenderer own_;  // the state table when there is no renderer
  std::size_t page_ = 0;
  std::vector<MenuEvent> events_;
  ExecResult last_;
  std::uint64_t now_ = 0;
  std::uint64_t nextFrame_ = 0;
  std::uint64_t timeoutAt_ = 0;  // 0: not armed
  bool started_ = false;
  bool popUpShown_ = false;
  std::size_t startPage_ = 0;  // the page a pop-up menu opens on

  struct EffectPlay {
    bool active = false;
    std::size_t page = 0;
    int which = 0;  // 0 in, 1 out
    std::size_t index = 0;
    std::uint64_t until = 0;
    std::uint64_t shownAt = 0;  // when effect `index` was drawn
  } effect_;
  std::vector<std::pair<std::size_t, int>> queued_;  // effect sequences still to play
};

// Parses "up", "down", "left", "right", "select" (or u, d, l, r, s, sel,
// enter) and "popup" (or pop-up, p); nothing for anything else.
std::optional<MenuKey> parseMenuKey(std::string_view word);

}  // namespace mirdal
