// What the disc player reports, in order: titles and objects entered,
// commands run (when traced), playback moving on, the menu on screen and
// its buttons, keys refused, things passed over, and why the disc stopped.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mirdal {

enum class StopReason {
  None,
  ObjectEnded,     // an object ran off its end or hit Break: the disc stops
  BdjTitle,        // a BD-J title or First Playback: not emulated
  StepLimit,       // an endless loop
  NoStart,         // no First Playback, no such title, no movie object
  WaitingForKey,   // a menu is on screen and nothing else is due
  WaitingInStill,  // an endless still picture with no menu
};

struct DiscEvent {
  enum class Kind {
    Title,       // a title starts (text: "title 1 (movie object 0)")
    Object,      // an object starts or resumes
    Command,     // one movie object command ran (traced runs only)
    Playlist,    // playback of a playlist starts
    PlayItem,    // the PlayItem changed
    Mark,        // a mark was passed
    Chapter,     // the chapter (PSR 5) changed
    PlaylistEnd, // the playlist ended or was stopped
    MenuPage,    // a menu page is shown
    Selected,    // a button became the selected one
    Activated,   // a button was activated
    ButtonCommand,  // one button command ran (traced runs only)
    PopUp,       // a pop-up menu shown or hidden
    Refused,     // a key refused by a UO mask, or with nothing to act on
    Skipped,     // a command or file passed over (missing object, playlist, menu)
    Stop,        // the disc stopped or waits; text says why
  };
  Kind kind = Kind::Skipped;
  std::uint64_t time = 0;  // 45 kHz ticks of the session clock
  std::string text;
  int object = -1;
  int line = -1;
  int button = -1;
  int page = -1;
  int playlist = -1;
  int item = -1;
  int mark = -1;
  // Events of a menu: the clip and PID its IG stream came from.
  std::string menuClip;
  int menuPid = -1;
};

struct PlayerPosition;
// The player panel's fields: title, object and line, playlist, PlayItem,
// chapter, time ("-" where nothing applies).
std::array<std::string, 6> positionTexts(const PlayerPosition& p);

// "hh:mm:ss.mmm" of session ticks.
std::string sessionTimeText(std::uint64_t ticks);
// "[00:00:05.005] title 1 (movie object 0)"
std::string eventLine(const DiscEvent& e);
// "title", "object", "command", ... for the JSON output.
const char* eventKindName(DiscEvent::Kind k);
// "object_ended", "bdj_title", ...
const char* stopReasonName(StopReason r);

}  // namespace mirdal
