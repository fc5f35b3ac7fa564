// What the disc check finds: a rule broken at a place of a file, with a
// severity and a sentence that says what is wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/playlist/mpls.h"

namespace mirdal {

// Ordered: a minimum severity keeps what is at least as grave.
enum class Severity { Note, Warning, Error };

std::string_view severityText(Severity s);  // "note", "warning", "error"
std::optional<Severity> severityNamed(std::string_view text);

// The file a place lies in.
enum class PlaceFile { Disc, Index, MovieObjects, Playlist, Clip, Menu, Sound, Bdjo, Register };

// One step from a file down to a record: "object 12", then "line 3".
enum class PlacePart {
  FirstPlayback,
  TopMenu,
  Title,
  Object,
  Line,
  PlayItem,
  Angle,
  SubPath,
  SubPlayItem,
  MultiClip,
  Mark,
  Stream,  // an STN stream: its category and its number from 1
  StcSequence,
  EpMap,  // by the stream PID
  EpEntry,
  Page,  // by page id
  Bog,
  Button,  // by button id
  Entry,   // a sound entry
};

struct PlaceStep {
  PlacePart part = PlacePart::Object;
  std::uint32_t number = 0;
  StreamCategory category = StreamCategory::PrimaryVideo;  // Stream only
  bool operator==(const PlaceStep&) const = default;
};

struct Place {
  PlaceFile file = PlaceFile::Disc;
  std::string name;  // "MovieObject.bdmv", "00003.mpls", "00000.m2ts", "GPR5"
  std::vector<PlaceStep> steps;

  // A copy one step deeper.
  Place then(PlacePart part, std::uint32_t number) const;
  Place thenStream(StreamCategory c, std::uint32_t number) const;
  // The number of the first step of that part, if the place has one.
  std::optional<std::uint32_t> number(PlacePart part) const;
  bool operator==(const Place&) const = default;
};

// "MovieObject.bdmv object 12 line 3", "00000.mpls PlayItem 0 primary audio 2".
std::string placeText(const Place& p);

struct Finding {
  std::string_view rule;  // the id, from the rule table
  Severity severity = Severity::Error;
  Place place;
  std::string text;  // "Jump Title 9, but the disc has 8 titles"
};

// The line lint prints: "error MO-JUMP-TITLE MovieObject.bdmv object 12 line
// 3: Jump Title 9, but the disc has 8 titles".
std::string findingLine(const Finding& f);

// "1 title", "3 titles".
std::string counted(std::size_t n, std::string_view one, std::string_view many);

}  // namespace mirdal
