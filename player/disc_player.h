// The disc player: a whole disc from First Playback (or a title) through
// its movie objects, playlists and menus, on one register file, with a
// clock of its own. Commands run through the interpreter; the navigation
// commands come back here (PlayerHost) and the player acts on them once
// the program that issued them has returned. Playback happens in virtual
// time: PlayItem durations, marks and stills come from the playlist, so
// no stream file is needed. Menus of the playing PlayItem run through the
// menu emulation on the same registers.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "menu/menu_emulation.h"
#include "menu/page_interaction.h"
#include "menu/page_render.h"
#include "nav/interpreter.h"
#include "player/disc_events.h"
#include "player/disc_source.h"
#include "player/timeline.h"
#include "player/user_ops.h"

namespace mirdal {

inline constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
inline constexpr unsigned kFirstPlaybackTitle = 0xFFFF;

struct PlayerOptions {
  // Commands the disc may run without waiting (time passing or a key)
  // before it counts as an endless loop.
  std::uint64_t maxSteps = 1000000;
  bool traceCommands = false;  // a Command event for every command run
  bool draw = false;           // keep a page renderer for the menu on screen
  // Where the programs' status lines and the menu's problems go; none: nowhere.
  Reporter* report = nullptr;
};

// options.report, or a reporter that tells nobody.
Reporter& playerReport(const PlayerOptions& options);

struct PlayerPosition {
  int title = -1;  // 0 Top Menu, kFirstPlaybackTitle, -1 none
  int object = -1;
  int line = -1;   // the object's next (or resume) line
  int playlist = -1;
  int item = -1;
  std::uint32_t chapter = kNoChapter;
  std::uint64_t time = 0;    // on the playlist's time
  std::uint64_t length = 0;  // of the playlist
  bool still = false;
};

class DiscPlayer final : private PlayerHost, private RunObserver {
 public:
  DiscPlayer(DiscSource& disc, Registers& regs, PlayerOptions options = {});
  ~DiscPlayer() override;

  void start() { startTitle(kFirstPlaybackTitle); }
  // 0 = Top Menu, kFirstPlaybackTitle = First Playback.
  void startTitle(unsigned n);
  // A key at the current time; refused with an event when masked.
  void press(const UserOp& op);
  // The pointer over the menu on screen, in page pixels: a hover over a
  // neighbour of the selected button selects it (silently nothing when the
  // move is masked), a click on the selected button activates it.
  void hover(Point p);
  void click(Point p);
  // Lets time pass to t (45 kHz ticks), handling everything due on the way.
  void advanceTo(std::uint64_t t);
  // One command of the running object, or the next thing due.
  void step();

  std::uint64_t now() const { return now_; }
  // The next mark, PlayItem end, still end or menu timer; kNever.
  std::uint64_t nextDue() const;
  // Nothing but a key can move the disc on: a menu on screen with nothing
  // else due, or an endless still.
  bool waitingForKey() const;
  StopReason stopped() const { return stop_; }
  PlayerPosition position() const;
  std::uint64_t steps() const { return steps_; }

  MenuEmulator* menu() { return menu_.get(); }
  const IgMenu* menuModel() const { return menu_ ? &menuModel_ : nullptr; }
  PageRenderer* renderer() { return renderer_.get(); }
  const Playlist* playlist() const { return play_ ? play_->pl : nullptr; }
  const Timeline* timeline() const { return play_ ? &play_->tl : nullptr; }
  std::vector<DiscEvent>& events() { return events_; }
  RunState& runState() { return run_; }

  // Stops with a reason (the script's waits, an outside cancel).
  void stop(StopReason r, const std::string& text);

 private:
  enum class Mode { Idle, Object, Playing };
  struct Action {
    enum class Kind { JumpObject, JumpTitle, CallObject, CallTitle, Resume, Play, PlayItem, PlayMark,
                      LinkItem, LinkMark, TerminatePlay, StillOff, Continue };
    Kind kind;
    std::uint32_t n = 0, m = 0;
    bool fromButton = false;
  };
  struct Playback {
    // Declared, so that clang sees the type as default-constructible
    // inside the enclosing class (std::optional<Playback> below).
    Playback() {}
    unsigned number = 0;
    const Playlist* pl = nullptr;
    Timeline tl;
    std::uint64_t pos = 0;
    std::size_t item = 0;
    std::size_t nextMark = 0;   // index into tl.marks of the next mark to pass
    std::uint32_t chapter = kNoChapter;  // of the marks passed
    bool still = false;         // held at the end of the PlayItem
    bool stillDone = false;     // the still of this PlayItem's end is over
    std::uint64_t stillUntil = kNever;
  };
  struct Suspended {
    unsigned object = 0;
    std::size_t line = 0;
    int title = -1;
    std::optional<std::pair<unsigned, std::uint64_t>> play;  // playlist, position
    std::uint32_t psr[8] = {};  // PSR 4-8, 10-12
  };

  // PlayerHost, RunObserver
  bool takesOver(const NavCommand& c, std::uint32_t n, std::uint32_t m) override;
  void executing(std::size_t line, const NavCommand& c) override;

  void settle();
  void setNavigationTimer(std::uint32_t object, std::uint32_t seconds);
  void runObject();
  void apply(const Action& a);
  void skip(const std::string& text, const Action& a);
  void enterObject(unsigned n, const std::string& why);
  bool enterTitle(unsigned n, bool keepSuspended);
  void suspend();
  void resume();
  bool startPlayback(unsigned n, std::optional<std::uint32_t> item, std::optional<std::uint32_t> mark,
                     std::uint64_t at = 0);
  void seek(std::uint64_t pos);
  void enterItem(std::size_t item);
  void passMarks();
  void endPlayback(const std::string& why);
  void moveClock(std::uint64_t to);
  void onDue();
  void menuFor(std::size_t item);
  void closeMenu();
  void takeMenuEvents();
  void menuKey(MenuKey k);
  std::optional<std::string> maskedBy(int bit) const;
  bool refused(const UserOp& op, int bit);
  void event(DiscEvent::Kind k, std::string text);
  const MovieObject* currentObject() const;

  DiscSource& disc_;
  Registers& regs_;
  PlayerOptions options_;
  RunState run_;
  Mode mode_ = Mode::Idle;
  StopReason stop_ = StopReason::None;
  std::uint64_t now_ = 0;
  std::uint64_t steps_ = 0;
  std::uint64_t sinceWait_ = 0;  // commands since time passed or a key
  bool singleStep_ = false;
  bool inButtons_ = false;
  int title_ = -1;
  unsigned object_ = 0;
  std::size_t line_ = 0;        // the object's next line
  std::size_t executingLine_ = 0;
  std::optional<Action> action_;
  std::optional<Playback> play_;
  std::optional<Suspended> suspended_;
  IgMenu menuModel_;
  std::pair<std::string, std::uint16_t> menuKey_;
  std::unique_ptr<PageRenderer> renderer_;
  std::unique_ptr<MenuEmulator> menu_;
  std::vector<DiscEvent> events_;
};

}  // namespace mirdal
