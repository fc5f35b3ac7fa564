#include "player/disc_events.h"

#include "player/disc_player.h"


namespace mirdal {

std::string sessionTimeText(std::uint64_t ticks) {
  // Written by hand: a walk formats one for every playlist it starts.
  const std::uint64_t ms = ticks / 45;
  const std::uint64_t parts[4] = {ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
  std::string s = parts[0] < 10 ? "0" : "";
  s += std::to_string(parts[0]);
  for (int i = 1; i < 4; ++i) {
    s += i == 3 ? '.' : ':';
    if (i == 3) s += char('0' + parts[3] / 100);
    s += char('0' + parts[i] / 10 % 10);
    s += char('0' + parts[i] % 10);
  }
  return s;
}

std::array<std::string, 6> positionTexts(const PlayerPosition& p) {
  const std::string none = "-";
  std::string title = none;
  if (p.title == 0) title = "Top Menu";
  else if (p.title == int(kFirstPlaybackTitle)) title = "First Playback";
  else if (p.title > 0) title = std::to_string(p.title);
  return {title,
          p.object < 0 ? none : std::to_string(p.object) + ", line " + std::to_string(p.line),
          p.playlist < 0 ? none : fiveDigits(unsigned(p.playlist)),
          p.item < 0 ? none : std::to_string(p.item),
          p.chapter == kNoChapter || p.playlist < 0 ? none : std::to_string(p.chapter),
          p.playlist < 0 ? none : sessionTimeText(p.time) + " / " + sessionTimeText(p.length) + (p.still ? " (still)" : "")};
}

std::string eventLine(const DiscEvent& e) { return "[" + sessionTimeText(e.time) + "] " + e.text; }

const char* eventKindName(DiscEvent::Kind k) {
  using K = DiscEvent::Kind;
  switch (k) {
    case K::Title: return "title";
    case K::Object: return "object";
    case K::Command: return "command";
    case K::Playlist: return "playlist";
    case K::PlayItem: return "play_item";
    case K::Mark: return "mark";
    case K::Chapter: return "chapter";
    case K::PlaylistEnd: return "playlist_end";
    case K::MenuPage: return "menu_page";
    case K::Selected: return "selected";
    case K::Activated: return "activated";
    case K::ButtonCommand: return "button_command";
    case K::PopUp: return "pop_up";
    case K::Refused: return "refused";
    case K::Skipped: return "skipped";
    case K::Stop: return "stop";
  }
  return "";
}

const char* stopReasonName(StopReason r) {
  switch (r) {
    case StopReason::None: return "none";
    case StopReason::ObjectEnded: return "object_ended";
    case StopReason::BdjTitle: return "bdj_title";
    case StopReason::StepLimit: return "step_limit";
    case StopReason::NoStart: return "no_start";
    case StopReason::WaitingForKey: return "waiting_for_key";
    case StopReason::WaitingInStill: return "waiting_in_still";
  }
  return "";
}

}  // namespace mirdal
