// The disc player's menus and keys: the menu of the playing PlayItem, the
// remote's keys and the user-operation masks that refuse them.
#include <algorithm>
#include <cstdio>

#include "formats/common/stream_codes.h"
#include "player/disc_player.h"

namespace mirdal {

namespace {

std::string hex4(std::uint32_t v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
  return b;
}

bool bitSet(std::uint32_t word, int bit) { return bit >= 0 && (word >> bit) & 1; }

}  // namespace

void DiscPlayer::menuFor(std::size_t item) {
  const PlayItem& pi = play_->pl->playlist.items[item];
  if (pi.stn.ig.empty()) {
    closeMenu();
    return;
  }
  std::uint32_t n = regs_.psr[0];
  if (n == 0 || n > pi.stn.ig.size()) n = 1;
  const StreamEntry& e = pi.stn.ig[n - 1].entry;
  std::string clip = pi.clipName;
  std::uint16_t pid = e.mainPid;
  if (e.type == 2 || e.type == 3) {
    const auto& subpaths = play_->pl->playlist.subpaths;
    if (e.subPathId < subpaths.size() && !subpaths[e.subPathId].items.empty()) {
      const SubPath& sp = subpaths[e.subPathId];
      clip = sp.items[0].clipName;
      if (e.type == 2) pid = e.subPid;
    }
  }
  const auto key = std::make_pair(clip, pid);
  if (menu_ && menuKey_ == key) return;  // the same menu goes on over the next PlayItem
  closeMenu();
  std::string why;
  const IgMenu* m = disc_.menu(clip, pid, why);
  if (!m) {
    event(DiscEvent::Kind::Skipped, why);
    return;
  }
  menuModel_ = *m;
  menuKey_ = key;
  if (options_.draw) renderer_ = std::make_unique<PageRenderer>();
  menu_ = std::make_unique<MenuEmulator>(menuModel_, regs_, run_, playerReport(options_), renderer_.get());
  if (renderer_) drawBackground(*renderer_, nullptr);  // the built-in background under the page
  menu_->options.animate = options_.draw;
  menu_->options.maxSteps = std::max<std::uint64_t>(1, options_.maxSteps);
  inButtons_ = true;
  menu_->start(now_ / 45);
  inButtons_ = false;
  takeMenuEvents();
}

void DiscPlayer::closeMenu() {
  menu_.reset();
  renderer_.reset();
  menuKey_ = {};
}

void DiscPlayer::takeMenuEvents() {
  if (!menu_) return;
  std::vector<MenuEvent> taken;
  taken.swap(menu_->events());
  using MK = MenuEvent::Kind;
  using K = DiscEvent::Kind;
  for (const MenuEvent& e : taken) {
    switch (e.kind) {
      case MK::Page: event(K::MenuPage, "menu page " + std::to_string(e.page)); break;
      case MK::Selected: event(K::Selected, "selected " + hex4(e.id)); break;
      case MK::Activated: event(K::Activated, "activated " + hex4(e.id)); break;
      case MK::PopUp: event(K::PopUp, e.id ? "pop-up menu shown" : "pop-up menu hidden"); break;
      case MK::TimeOut: event(K::Activated, "menu time-out"); break;
      case MK::Command:
        ++steps_;
        ++sinceWait_;
        if (!options_.traceCommands) continue;
        event(K::ButtonCommand, "button " + e.text);
        break;
      default: continue;
    }
    events_.back().page = int(e.page);
    events_.back().menuClip = menuKey_.first;
    events_.back().menuPid = int(menuKey_.second);
    if (e.kind != MK::Page && e.kind != MK::PopUp && e.kind != MK::TimeOut) events_.back().button = int(e.id);
  }
}

void DiscPlayer::menuKey(MenuKey k) {
  inButtons_ = true;
  menu_->key(k, now_ / 45);
  inButtons_ = false;
  takeMenuEvents();
}

// The first place that masks bit: the playlist, the PlayItem, the menu
// page on screen.
std::optional<std::string> DiscPlayer::maskedBy(int bit) const {
  if (play_) {
    if (bitSet(play_->pl->uoMask1, bit)) return "playlist " + fiveDigits(play_->number);
    if (bitSet(play_->pl->playlist.items[play_->item].uoMask1, bit))
      return "PlayItem " + std::to_string(play_->item) + " of playlist " + fiveDigits(play_->number);
  }
  if (menu_ && menu_->shown() && menu_->page() < menuModel_.ics.pages.size() &&
      bitSet(menuModel_.ics.pages[menu_->page()].uoMask[0], bit))
    return "menu page " + std::to_string(menu_->page());
  return std::nullopt;
}

void DiscPlayer::hover(Point p) {
  if (stop_ != StopReason::None || !menu_ || !menu_->shown() || menu_->effectsPlaying()) return;
  const std::optional<MenuKey> k = hoverKey(menuModel_, menu_->page(), regs_.psr[kPsrSelectedButton], p);
  if (!k) return;
  static const UserOp::Kind kinds[] = {UserOp::Kind::Up, UserOp::Kind::Down, UserOp::Kind::Left, UserOp::Kind::Right};
  const UserOp op{kinds[int(*k)], 0};
  // A pointer passing over a masked neighbour is no key the viewer pressed:
  // no refusal event for every move.
  if (maskedBy(uoBit(op))) return;
  press(op);
}

void DiscPlayer::click(Point p) {
  if (stop_ != StopReason::None || !menu_ || !menu_->shown()) return;
  if (overSelectedButton(menuModel_, menu_->page(), regs_.psr[kPsrSelectedButton], p))
    press({UserOp::Kind::Enter, 0});
}

bool DiscPlayer::refused(const UserOp& op, int bit) {
  const std::optional<std::string> where = maskedBy(bit);
  if (!where) return false;
  event(DiscEvent::Kind::Refused,
        "UO refused: " + userOpName(op) + " (" + std::string(uoMaskText(bit)) + ") masked by " + *where);
  return true;
}

void DiscPlayer::press(const UserOp& op) {
  using K = UserOp::Kind;
  if (stop_ != StopReason::None) return;
  settle();
  if (op.kind == K::Wait) {
    advanceTo(now_ + std::uint64_t(op.value) * 45);
    return;
  }
  if (op.kind == K::End) {
    if (!play_) {
      event(DiscEvent::Kind::Refused, "End: no playlist is playing");
      return;
    }
    const unsigned number = play_->number;
    const std::uint64_t startedAt = now_;
    // Plays on while this playlist plays and time moves (an endless still
    // stops it).
    while (stop_ == StopReason::None && play_ && play_->number == number && !waitingForKey()) {
      const std::uint64_t due = nextDue();
      if (due == kNever) break;
      advanceTo(due);
      if (now_ - startedAt > play_->tl.length() + 3600 * kTicksPerSecond) break;
    }
    return;
  }
  sinceWait_ = 0;
  const int bit = uoBit(op);
  const MovieObject* o = currentObject();
  switch (op.kind) {
    case K::TopMenu: {
      if (refused(op, bit)) return;
      if (o && o->menuCallMask) {
        event(DiscEvent::Kind::Refused, "UO refused: Top Menu: masked by movie object " + std::to_string(object_));
        return;
      }
      const std::optional<Suspended> before = suspended_;
      if (o && o->resumeIntentionFlag) suspend();
      if (!enterTitle(0, o && o->resumeIntentionFlag)) suspended_ = before;
      break;
    }
    case K::Title: {
      if (refused(op, bit)) return;
      if (o && o->titleSearchMask) {
        event(DiscEvent::Kind::Refused, "UO refused: " + userOpName(op) + ": masked by movie object " +
                                            std::to_string(object_));
        return;
      }
      const auto& titles = disc_.index().indexes.titles;
      if (op.value >= 1 && op.value <= titles.size() && titles[op.value - 1].accessType >= 2) {
        event(DiscEvent::Kind::Refused,
              "UO refused: " + userOpName(op) + ": the index prohibits title search into title " + std::to_string(op.value));
        return;
      }
      enterTitle(op.value, false);
      break;
    }
    case K::ChapterNext:
    case K::ChapterPrevious: {
      if (!play_) {
        event(DiscEvent::Kind::Refused, userOpName(op) + ": no playlist is playing");
        return;
      }
      if (refused(op, bit)) return;
      const Timeline& tl = play_->tl;
      const std::uint32_t c = tl.chapterAt(play_->pos);
      if (op.kind == K::ChapterNext) {
        const TimelineMark* m = tl.chapterMark(c == kNoChapter ? 1 : c + 1);
        if (!m) {
          event(DiscEvent::Kind::Refused, "Next chapter: the last chapter plays");
          return;
        }
        seek(m->at);
      } else {
        const TimelineMark* m = c == kNoChapter || c <= 1 ? nullptr : tl.chapterMark(c - 1);
        seek(m ? m->at : 0);
      }
      break;
    }
    case K::PopUp:
      if (!menu_ || !menu_->popUpMenu()) {
        event(DiscEvent::Kind::Refused, "Pop-up: no pop-up menu in the PlayItem");
        return;
      }
      if (refused(op, menu_->shown() ? kUoPopUpOff : kUoPopUpOn)) return;
      menuKey(MenuKey::PopUp);
      break;
    case K::Up:
    case K::Down:
    case K::Left:
    case K::Right:
    case K::Enter:
    case K::Digit: {
      if (!menu_ || !menu_->shown()) {
        event(DiscEvent::Kind::Refused, userOpName(op) + ": no menu on screen");
        return;
      }
      if (refused(op, bit)) return;
      if (op.kind == K::Digit) {
        const std::size_t page = menu_->page();
        std::optional<std::uint16_t> id;
        if (page < menuModel_.ics.pages.size())
          for (const Bog& bog : menuModel_.ics.pages[page].bogs)
            for (const IgButton& b : bog.buttons)
              if (!id && b.numericSelectValue == op.value) id = b.buttonId;
        if (!id) {
          event(DiscEvent::Kind::Refused, userOpName(op) + ": no button has that number");
          return;
        }
        inButtons_ = true;
        menu_->selectButton(*id, now_ / 45);
        inButtons_ = false;
        takeMenuEvents();
        menuKey(MenuKey::Select);
        break;
      }
      static const MenuKey keys[] = {MenuKey::Up, MenuKey::Down, MenuKey::Left, MenuKey::Right, MenuKey::Select};
      menuKey(keys[int(op.kind) - int(K::Up)]);
      break;
    }
    case K::Wait:
    case K::End: break;
  }
  settle();
}

}  // namespace mirdal
