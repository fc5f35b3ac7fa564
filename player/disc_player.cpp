#include "player/disc_player.h"

#include <algorithm>

#include "core/report.h"
#include "formats/common/stream_codes.h"
#include "nav/command_text.h"
#include "nav/trace.h"

namespace mirdal {

namespace {

constexpr unsigned kPsrNavigationTimer = 9;
constexpr std::uint32_t kMaxNavigationTimer = 300;  // seconds

// The immediate-operand flags do not change what a navigation command is.
constexpr std::uint32_t kImmediateFlags = 0x00C00000;

std::string titleName(unsigned n) {
  if (n == 0) return "Top Menu";
  if (n == kFirstPlaybackTitle) return "First Playback";
  return "title " + std::to_string(n);
}

}  // namespace

Reporter& playerReport(const PlayerOptions& options) { return reporterOrSilent(options.report); }

DiscPlayer::DiscPlayer(DiscSource& disc, Registers& regs, PlayerOptions options)
    : disc_(disc), regs_(regs), options_(options) {
  run_.player = this;
  run_.observer = this;
  events_.reserve(64);
}

DiscPlayer::~DiscPlayer() { closeMenu(); }

void DiscPlayer::event(DiscEvent::Kind k, std::string text) {
  DiscEvent e;
  e.kind = k;
  e.time = now_;
  e.text = std::move(text);
  e.object = mode_ == Mode::Idle ? -1 : int(object_);
  if (play_) {
    e.playlist = int(play_->number);
    e.item = int(play_->item);
  }
  events_.push_back(std::move(e));
}

void DiscPlayer::stop(StopReason r, const std::string& text) {
  if (stop_ != StopReason::None) return;
  stop_ = r;
  event(DiscEvent::Kind::Stop, "stop: " + text);
}

const MovieObject* DiscPlayer::currentObject() const {
  const auto& objects = disc_.movieObjects().movieObjects.objects;
  return mode_ != Mode::Idle && object_ < objects.size() ? &objects[object_] : nullptr;
}

// ---- titles and objects ----------------------------------------------

void DiscPlayer::startTitle(unsigned n) {
  // Starting again after a stop: the disc begins anew on the same
  // registers, as a player does when it goes back to the disc's start.
  stop_ = StopReason::None;
  action_.reset();
  suspended_.reset();
  endPlayback("");
  mode_ = Mode::Idle;
  sinceWait_ = 0;
  if (!enterTitle(n, false) && stop_ == StopReason::None)
    stop(StopReason::NoStart, titleName(n) + " cannot be started");
  settle();
}

bool DiscPlayer::enterTitle(unsigned n, bool keepSuspended) {
  const Indexes& ix = disc_.index().indexes;
  std::uint8_t type = 1;
  std::uint16_t ref = kNoObject;
  if (n == 0 || n == kFirstPlaybackTitle) {
    const IndexEntry& e = n == 0 ? ix.topMenu : ix.firstPlayback;
    type = e.objectType;
    ref = e.movieObjectReference;
    if (type == 1 && ref == kNoObject) {
      event(DiscEvent::Kind::Skipped, "the disc has no " + titleName(n));
      return false;
    }
  } else if (n <= ix.titles.size()) {
    type = ix.titles[n - 1].objectType;
    ref = ix.titles[n - 1].movieObjectReference;
  } else {
    event(DiscEvent::Kind::Skipped, "no title " + std::to_string(n) + " on the disc");
    return false;
  }
  if (type != 1) {
    stop(StopReason::BdjTitle, (n == 0 || n == kFirstPlaybackTitle ? titleName(n) : "Title " + std::to_string(n)) +
                                   " is a BD-J title: not emulated");
    return false;
  }
  if (ref >= disc_.movieObjects().movieObjects.objects.size()) {
    event(DiscEvent::Kind::Skipped, titleName(n) + " names movie object " + std::to_string(ref) + ", which is missing");
    return false;
  }
  if (!keepSuspended) suspended_.reset();
  endPlayback("");
  title_ = int(n);
  regs_.psr[4] = n == kFirstPlaybackTitle ? regs_.psr[4] : n;
  mode_ = Mode::Object;
  object_ = ref;
  line_ = 0;
  event(DiscEvent::Kind::Title, titleName(n) + " (movie object " + std::to_string(ref) + ")");
  return true;
}

void DiscPlayer::enterObject(unsigned n, const std::string& why) {
  endPlayback("");
  mode_ = Mode::Object;
  object_ = n;
  line_ = 0;
  event(DiscEvent::Kind::Object, "object " + std::to_string(n) + why);
}

void DiscPlayer::executing(std::size_t line, const NavCommand& c) {
  executingLine_ = line;
  ++steps_;
  ++sinceWait_;
  if (!options_.traceCommands) return;
  event(DiscEvent::Kind::Command,
        "object " + std::to_string(object_) + " " +
            traceDisplayText(commandRow(c, line, CommandContext::MovieObject), line));
  events_.back().line = int(line);
}

bool DiscPlayer::takesOver(const NavCommand& c, std::uint32_t n, std::uint32_t m) {
  using K = Action::Kind;
  const std::uint32_t op = c.opcode & ~kImmediateFlags;
  std::optional<K> kind;
  switch (op) {
    case 0x21000000: kind = K::JumpObject; break;
    case 0x21010000: kind = K::JumpTitle; break;
    case 0x21020000: kind = K::CallObject; break;
    case 0x21030000: kind = K::CallTitle; break;
    case 0x01040000: kind = K::Resume; break;
    case 0x22000000: kind = K::Play; break;
    case 0x42010000: kind = K::PlayItem; break;
    case 0x42020000: kind = K::PlayMark; break;
    case 0x02030000: kind = K::TerminatePlay; break;
    case 0x22040000: kind = K::LinkItem; break;
    case 0x22050000: kind = K::LinkMark; break;
    case 0x11000009: kind = K::StillOff; break;
    case 0x51000002:
      setNavigationTimer(n & 0xFFFF, m & 0xFFFF);
      return false;
    case 0x51000003:
      if (inButtons_) return false;  // the menu emulation has it
      // A movie object sets the selected button and the page a menu will
      // start with, and goes on.
      if (n & 0x80000000) regs_.psr[kPsrSelectedButton] = n & 0xFFFF;
      if (m & 0x80000000) regs_.psr[kPsrMenuPage] = m & 0xFF;
      kind = K::Continue;
      break;
    default: return false;
  }
  if (!inButtons_ && (*kind == K::LinkItem || *kind == K::LinkMark || *kind == K::TerminatePlay ||
                      *kind == K::StillOff)) {
    if (*kind != K::StillOff)
      event(DiscEvent::Kind::Skipped, "line " + std::to_string(executingLine_) +
                                          ": Link and Terminate PL are not allowed in movie objects");
    return false;
  }
  if (action_) return true;  // a second one in the same run cannot happen; keep the first
  action_ = Action{*kind, n, m, inButtons_};
  return true;
}

// SetNVTimer as libbluray takes it: a time of 0 clears PSR9; a missing
// object or a time over 300 s is passed over; otherwise PSR9 holds the
// time. Like libbluray, the timer is not run: no jump happens when it
// would expire, so that walks stay comparable with it.
void DiscPlayer::setNavigationTimer(std::uint32_t object, std::uint32_t seconds) {
  const std::string where = inButtons_ ? std::string("button command") : "line " + std::to_string(executingLine_);
  if (seconds == 0) {
    regs_.psr[kPsrNavigationTimer] = 0;
  } else if (object >= disc_.movieObjects().movieObjects.objects.size()) {
    event(DiscEvent::Kind::Skipped,
          where + ": SetNVTimer names movie object " + std::to_string(object) + ", which is missing");
  } else if (seconds > kMaxNavigationTimer) {
    event(DiscEvent::Kind::Skipped, where + ": SetNVTimer of " + std::to_string(seconds) + " s: at most " +
                                        std::to_string(kMaxNavigationTimer) + " s");
  } else {
    regs_.psr[kPsrNavigationTimer] = seconds;
    event(DiscEvent::Kind::Skipped, where + ": navigation timer " + std::to_string(seconds) + " s for movie object " +
                                        std::to_string(object) + " set in PSR9, not run");
  }
}

void DiscPlayer::runObject() {
  const MovieObject* o = currentObject();
  if (!o) {
    stop(StopReason::NoStart, "movie object " + std::to_string(object_) + " is missing");
    return;
  }
  if (line_ >= o->commands.size()) {
    stop(StopReason::ObjectEnded, "object " + std::to_string(object_) + " ended with no navigation command");
    return;
  }
  const std::uint64_t budget = options_.maxSteps > sinceWait_ ? options_.maxSteps - sinceWait_ : 1;
  run_.menu = nullptr;
  run_.observer = this;
  run_.trace = false;
  run_.maxSteps = singleStep_ ? 1 : budget;
  run_.line = std::int64_t(line_);
  inButtons_ = false;
  Reporter& rep = playerReport(options_);
  const int delay = rep.activationDelay();
  rep.setActivationDelay(0);
  const ExecResult r = executeProgram(o->commands, regs_, run_, rep);
  rep.setActivationDelay(delay);
  if (action_) {
    line_ = executingLine_ + 1;
    return;
  }
  if (r.stepLimitReached && singleStep_) {
    line_ = std::size_t(run_.line);
    return;
  }
  if (r.stepLimitReached || sinceWait_ >= options_.maxSteps) {
    line_ = std::size_t(std::max<std::int64_t>(0, run_.line));
    stop(StopReason::StepLimit, "endless loop: " + std::to_string(options_.maxSteps) +
                                    " commands without the disc waiting (object " + std::to_string(object_) + ")");
    return;
  }
  stop(StopReason::ObjectEnded, "object " + std::to_string(object_) + " ended with no navigation command");
}

void DiscPlayer::settle() {
  while (stop_ == StopReason::None) {
    if (action_) {
      const Action a = *action_;
      action_.reset();
      apply(a);
      continue;
    }
    if (mode_ != Mode::Object) break;
    runObject();
    if (singleStep_) break;
  }
}

void DiscPlayer::skip(const std::string& text, const Action& a) {
  event(DiscEvent::Kind::Skipped, text);
  // A movie object goes on with the command after the one passed over.
  if (!a.fromButton) mode_ = Mode::Object;
}

void DiscPlayer::apply(const Action& a) {
  using K = Action::Kind;
  const auto& objects = disc_.movieObjects().movieObjects.objects;
  switch (a.kind) {
    case K::Continue:
      if (!a.fromButton) mode_ = Mode::Object;
      return;
    case K::JumpObject:
    case K::CallObject:
      if (a.n >= objects.size()) {
        skip("object " + std::to_string(a.n) + " is missing: the command is passed over", a);
        return;
      }
      if (a.kind == K::CallObject) suspend();
      enterObject(a.n, "");
      return;
    case K::JumpTitle:
    case K::CallTitle: {
      const bool call = a.kind == K::CallTitle;
      std::optional<Suspended> saved;
      if (call) {
        suspend();
        saved = suspended_;
      }
      if (!enterTitle(a.n, call)) {
        if (call) suspended_.reset();
        if (stop_ == StopReason::None) skip("the jump to " + titleName(a.n) + " is passed over", a);
      }
      return;
    }
    case K::Resume:
      if (!suspended_) {
        skip("Resume: no suspended object", a);
        return;
      }
      resume();
      return;
    case K::Play:
    case K::PlayItem:
    case K::PlayMark: {
      std::optional<std::uint32_t> item, mark;
      if (a.kind == K::PlayItem) item = a.m;
      if (a.kind == K::PlayMark) mark = a.m;
      if (!startPlayback(a.n, item, mark)) skip("", a), events_.pop_back();
      return;
    }
    case K::LinkItem:
    case K::LinkMark:
      if (!play_) return;
      if (a.kind == K::LinkItem) {
        if (a.n < play_->tl.items()) seek(play_->tl.itemStart[a.n]);
        else event(DiscEvent::Kind::Skipped, "Link PI " + std::to_string(a.n) + ": no such PlayItem");
      } else {
        const auto& marks = play_->tl.marks;
        const auto it = std::find_if(marks.begin(), marks.end(), [&](const TimelineMark& mk) { return mk.index == a.n; });
        if (it != marks.end()) seek(it->at);
        else event(DiscEvent::Kind::Skipped, "Link MK " + std::to_string(a.n) + ": no such mark");
      }
      return;
    case K::TerminatePlay:
      if (play_) {
        endPlayback("terminated");
        mode_ = Mode::Object;
      }
      return;
    case K::StillOff:
      if (play_ && play_->still) {
        play_->still = false;
        play_->stillUntil = kNever;
        play_->stillDone = true;
        onDue();
      }
      return;
  }
}

void DiscPlayer::suspend() {
  Suspended s;
  s.object = object_;
  s.line = line_;
  s.title = title_;
  if (play_) s.play = std::make_pair(play_->number, play_->pos);
  const unsigned psrs[8] = {4, 5, 6, 7, 8, 10, 11, 12};
  for (int i = 0; i < 8; ++i) {
    s.psr[i] = regs_.psr[psrs[i]];
    // A player shows the saved values in its backup registers.
    regs_.psr[psrs[i] + 32] = s.psr[i];
  }
  suspended_ = s;
}

void DiscPlayer::resume() {
  const Suspended s = *suspended_;
  suspended_.reset();
  endPlayback("");
  const unsigned psrs[8] = {4, 5, 6, 7, 8, 10, 11, 12};
  for (int i = 0; i < 8; ++i) regs_.psr[psrs[i]] = s.psr[i];
  title_ = s.title;
  object_ = s.object;
  line_ = s.line;
  mode_ = Mode::Object;
  event(DiscEvent::Kind::Object, "object " + std::to_string(s.object) + " resumed at line " + std::to_string(s.line));
  if (s.play) startPlayback(s.play->first, std::nullopt, std::nullopt, s.play->second);
}

// ---- playback -----------------------------------------------------------

bool DiscPlayer::startPlayback(unsigned n, std::optional<std::uint32_t> item, std::optional<std::uint32_t> mark,
                               std::uint64_t at) {
  std::string why;
  const Playlist* pl = disc_.playlist(n, why);
  if (!pl) {
    event(DiscEvent::Kind::Skipped, "Play PL " + std::to_string(n) + ": " + why + "; the command after it runs");
    return false;
  }
  endPlayback("");
  play_.emplace();
  play_->number = n;
  play_->pl = pl;
  play_->tl = makeTimeline(*pl);
  mode_ = Mode::Playing;
  regs_.psr[6] = n;
  // A playlist starts at angle 1 whatever PSR3 held (libbluray opens every
  // playlist at its first angle and writes PSR3 so).
  regs_.psr[3] = 1;
  regs_.psr[5] = kNoChapter;  // the chapter of the new playlist is told anew
  if (item) {
    if (*item < play_->tl.items()) at = play_->tl.itemStart[*item];
    else event(DiscEvent::Kind::Skipped, "playlist " + fiveDigits(n) + " has no PlayItem " + std::to_string(*item) +
                                             ": played from the start");
  }
  if (mark) {
    const auto& marks = play_->tl.marks;
    const auto it = std::find_if(marks.begin(), marks.end(), [&](const TimelineMark& mk) { return mk.index == *mark; });
    if (it != marks.end()) at = it->at;
    else event(DiscEvent::Kind::Skipped, "playlist " + fiveDigits(n) + " has no mark " + std::to_string(*mark) +
                                             ": played from the start");
  }
  event(DiscEvent::Kind::Playlist, "playlist " + fiveDigits(n) + " starts at " + sessionTimeText(at));
  if (play_->tl.items() == 0) {
    endPlayback("ended");
    mode_ = Mode::Object;
    return true;
  }
  seek(std::min(at, play_->tl.length()));
  return true;
}

void DiscPlayer::seek(std::uint64_t pos) {
  Playback& p = *play_;
  p.pos = pos;
  p.still = false;
  p.stillDone = false;
  p.stillUntil = kNever;
  p.chapter = pos == 0 ? kNoChapter : p.tl.chapterAt(pos - 1);  // the marks before pos
  p.nextMark = std::size_t(std::lower_bound(p.tl.marks.begin(), p.tl.marks.end(), pos,
                                            [](const TimelineMark& m, std::uint64_t t) { return m.at < t; }) -
                           p.tl.marks.begin());
  enterItem(p.tl.itemAt(pos));
  passMarks();
}

void DiscPlayer::enterItem(std::size_t item) {
  Playback& p = *play_;
  const bool changed = item != p.item || events_.empty() || events_.back().kind == DiscEvent::Kind::Playlist;
  p.item = item;
  const PlayItem& pi = p.pl->playlist.items[item];
  regs_.psr[7] = std::uint32_t(item);
  regs_.psr[8] = clipTimeAt(*p.pl, p.tl, p.pos);
  chooseStreams(pi.stn, regs_);
  if (changed) {
    event(DiscEvent::Kind::PlayItem, "PlayItem " + std::to_string(item) + " (clip " + pi.clipName + ")");
  }
  menuFor(item);
}

void DiscPlayer::passMarks() {
  Playback& p = *play_;
  while (p.nextMark < p.tl.marks.size()) {
    const TimelineMark& m = p.tl.marks[p.nextMark];
    if (m.at > p.pos) break;
    ++p.nextMark;
    if (m.entry) p.chapter = m.chapter;
    event(DiscEvent::Kind::Mark, (m.entry ? "mark " : "link point ") + std::to_string(m.index));
    events_.back().mark = int(m.index);
  }
  const std::uint32_t chapter = p.chapter;
  if (chapter != regs_.psr[5]) {
    regs_.psr[5] = chapter;
    if (chapter != kNoChapter) event(DiscEvent::Kind::Chapter, "chapter " + std::to_string(chapter));
  }
}

void DiscPlayer::endPlayback(const std::string& why) {
  if (!play_) return;
  closeMenu();
  if (!why.empty()) event(DiscEvent::Kind::PlaylistEnd, "playlist " + fiveDigits(play_->number) + " " + why);
  play_.reset();
  if (mode_ == Mode::Playing) mode_ = Mode::Idle;
}

std::uint64_t DiscPlayer::nextDue() const {
  if (stop_ != StopReason::None) return kNever;
  std::uint64_t due = kNever;
  if (play_ && mode_ == Mode::Playing) {
    const Playback& p = *play_;
    if (p.still) {
      due = p.stillUntil;
    } else {
      due = now_ + (p.tl.itemStart[p.item + 1] - std::min(p.pos, p.tl.itemStart[p.item + 1]));
      if (p.nextMark < p.tl.marks.size()) due = std::min(due, now_ + (p.tl.marks[p.nextMark].at - p.pos));
    }
  }
  if (menu_) {
    const std::uint64_t ms = menu_->nextDue();
    // advance() has handled everything due up to now; a menu timer that
    // did not move (an animation frame while an effect plays) is no reason
    // to stop the clock.
    if (ms != std::numeric_limits<std::uint64_t>::max() && ms * 45 > now_) due = std::min(due, ms * 45);
  }
  return due;
}

bool DiscPlayer::waitingForKey() const {
  if (stop_ != StopReason::None || mode_ != Mode::Playing || action_) return false;
  if (play_ && play_->still && play_->stillUntil == kNever) return true;
  return menu_ && menu_->shown() && menu_->nextDue() == std::numeric_limits<std::uint64_t>::max();
}

void DiscPlayer::moveClock(std::uint64_t to) {
  if (to <= now_) return;
  if (play_ && mode_ == Mode::Playing && !play_->still) {
    play_->pos = std::min(play_->pos + (to - now_), play_->tl.length());
    regs_.psr[8] = clipTimeAt(*play_->pl, play_->tl, play_->pos);
  }
  now_ = to;
  sinceWait_ = 0;
}

void DiscPlayer::onDue() {
  if (!play_ || mode_ != Mode::Playing) return;
  Playback& p = *play_;
  const std::uint64_t itemEnd = p.tl.itemStart[p.item + 1];
  if (p.still) {
    if (now_ < p.stillUntil) return;  // still held (an endless still waits for Still Off)
    p.still = false;
    p.stillUntil = kNever;
    p.stillDone = true;
  } else {
    passMarks();
    if (p.pos < itemEnd) return;
    const PlayItem& pi = p.pl->playlist.items[p.item];
    if (!p.stillDone && pi.stillMode == 1 && pi.stillTime > 0) {
      p.still = true;
      p.stillUntil = now_ + std::uint64_t(pi.stillTime) * kTicksPerSecond;
      event(DiscEvent::Kind::PlayItem, "still picture for " + std::to_string(pi.stillTime) + " s");
      return;
    }
    if (!p.stillDone && pi.stillMode == 2) {
      p.still = true;
      event(DiscEvent::Kind::PlayItem, "still picture until Still Off");
      return;
    }
  }
  p.stillDone = false;
  if (p.item + 1 < p.tl.items()) {
    p.pos = itemEnd;
    enterItem(p.item + 1);
    passMarks();
  } else {
    endPlayback("ended");
    mode_ = Mode::Object;
  }
}

void DiscPlayer::advanceTo(std::uint64_t t) {
  while (stop_ == StopReason::None) {
    settle();
    const std::uint64_t due = nextDue();
    if (due > t || stop_ != StopReason::None) break;
    moveClock(due);
    if (menu_) {
      menu_->advance(now_ / 45);
      takeMenuEvents();
    }
    onDue();
  }
  if (stop_ != StopReason::None) return;
  moveClock(t);
  if (menu_) {
    menu_->advance(now_ / 45);
    takeMenuEvents();
  }
  settle();
}

void DiscPlayer::step() {
  if (stop_ != StopReason::None) return;
  singleStep_ = true;
  if (action_ || mode_ == Mode::Object) settle();
  else if (const std::uint64_t due = nextDue(); due != kNever) advanceTo(due);
  singleStep_ = false;
}

PlayerPosition DiscPlayer::position() const {
  PlayerPosition p;
  p.title = title_;
  if (mode_ != Mode::Idle || stop_ != StopReason::None) {
    p.object = int(object_);
    p.line = int(line_);
  }
  if (play_) {
    p.playlist = int(play_->number);
    p.item = int(play_->item);
    p.chapter = play_->tl.chapterAt(play_->pos);
    p.time = play_->pos;
    p.length = play_->tl.length();
    p.still = play_->still;
  }
  return p;
}

}  // namespace mirdal
