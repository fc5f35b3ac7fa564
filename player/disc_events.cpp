#include "player/disc_events.h"

#include <cstdio>

namespace mirdal {

std::string clockText(std::uint64_t ticks) {
  const std::uint64_t ms = ticks / 45;
  char b[32];
  std::snprintf(b, sizeof b, "%02llu:%02llu:%02llu.%03llu", (unsigned long long)(ms / 3600000),
                (unsigned long long)(ms / 60000 % 60), (unsigned long long)(ms / 1000 % 60),
                (unsigned long long)(ms % 1000));
  return b;
}

std::string eventLine(const DiscEvent& e) { return "[" + clockText(e.time) + "] " + e.text; }

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
