#include "check/finding.h"

#include "core/display_text.h"

namespace mirdal {

std::string_view severityText(Severity s) {
  switch (s) {
    case Severity::Note: return "note";
    case Severity::Warning: return "warning";
    case Severity::Error: return "error";
  }
  return "";
}

std::optional<Severity> severityNamed(std::string_view text) {
  for (Severity s : {Severity::Note, Severity::Warning, Severity::Error})
    if (severityText(s) == text) return s;
  return std::nullopt;
}

Place Place::then(PlacePart part, std::uint32_t n) const {
  Place p = *this;
  p.steps.push_back(PlaceStep{part, n});
  return p;
}

Place Place::thenStream(StreamCategory c, std::uint32_t n) const {
  Place p = *this;
  p.steps.push_back(PlaceStep{PlacePart::Stream, n, c});
  return p;
}

std::optional<std::uint32_t> Place::number(PlacePart part) const {
  for (const PlaceStep& s : steps)
    if (s.part == part) return s.number;
  return std::nullopt;
}

namespace {

std::string_view categoryWords(StreamCategory c) {
  switch (c) {
    case StreamCategory::PrimaryVideo: return "primary video";
    case StreamCategory::PrimaryAudio: return "primary audio";
    case StreamCategory::PG: return "PG";
    case StreamCategory::IG: return "IG";
    case StreamCategory::SecondaryAudio: return "secondary audio";
    case StreamCategory::SecondaryVideo: return "secondary video";
    case StreamCategory::PiPPG: return "PiP PG";
  }
  return "";
}

std::string stepText(const PlaceStep& s) {
  const std::string n = std::to_string(s.number);
  switch (s.part) {
    case PlacePart::FirstPlayback: return "First Playback";
    case PlacePart::TopMenu: return "Top Menu";
    case PlacePart::Title: return "title " + n;
    case PlacePart::Object: return "object " + n;
    case PlacePart::Line: return "line " + n;
    case PlacePart::PlayItem: return "PlayItem " + n;
    case PlacePart::Angle: return "angle " + n;
    case PlacePart::SubPath: return "SubPath " + n;
    case PlacePart::SubPlayItem: return "SubPlayItem " + n;
    case PlacePart::MultiClip: return "clip " + n;
    case PlacePart::Mark: return "mark " + n;
    case PlacePart::Stream: return std::string(categoryWords(s.category)) + " " + n;
    case PlacePart::StcSequence: return "STC sequence " + n;
    case PlacePart::EpMap: return "EP map " + hexText(s.number, 4);
    case PlacePart::EpEntry: return "entry " + n;
    case PlacePart::Page: return "page " + n;
    case PlacePart::Bog: return "BOG " + n;
    case PlacePart::Button: return "button " + n;
    case PlacePart::Entry: return "entry " + n;
  }
  return n;
}

}  // namespace

std::string placeText(const Place& p) {
  std::string t = p.name;
  for (const PlaceStep& s : p.steps) t += " " + stepText(s);
  return t;
}

std::string findingLine(const Finding& f) {
  return std::string(severityText(f.severity)) + " " + std::string(f.rule) + " " + placeText(f.place) + ": " + f.text;
}

std::string counted(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace mirdal
