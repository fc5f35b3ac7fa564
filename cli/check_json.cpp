#include "cli/check_json.h"

#include "cli/json_model.h"

namespace mirdal::cli {

using nlohmann::json;

namespace {

std::string_view partName(PlacePart p) {
  switch (p) {
    case PlacePart::FirstPlayback: return "first_playback";
    case PlacePart::TopMenu: return "top_menu";
    case PlacePart::Title: return "title";
    case PlacePart::Object: return "object";
    case PlacePart::Line: return "line";
    case PlacePart::PlayItem: return "play_item";
    case PlacePart::Angle: return "angle";
    case PlacePart::SubPath: return "sub_path";
    case PlacePart::SubPlayItem: return "sub_play_item";
    case PlacePart::MultiClip: return "multi_clip";
    case PlacePart::Mark: return "mark";
    case PlacePart::Stream: return "stream";
    case PlacePart::StcSequence: return "stc_sequence";
    case PlacePart::EpMap: return "ep_map";
    case PlacePart::EpEntry: return "ep_entry";
    case PlacePart::Page: return "page";
    case PlacePart::Bog: return "bog";
    case PlacePart::Button: return "button";
    case PlacePart::Entry: return "entry";
  }
  return "";
}

std::string_view categoryName(StreamCategory c) {
  switch (c) {
    case StreamCategory::PrimaryVideo: return "primary_video";
    case StreamCategory::PrimaryAudio: return "primary_audio";
    case StreamCategory::PG: return "pg";
    case StreamCategory::IG: return "ig";
    case StreamCategory::SecondaryAudio: return "secondary_audio";
    case StreamCategory::SecondaryVideo: return "secondary_video";
    case StreamCategory::PiPPG: return "pip_pg";
  }
  return "";
}

// "file", "place" (the steps) and "place_text" of a place, into o.
void putPlace(json& o, const Place& p) {
  json steps = json::array();
  for (const PlaceStep& s : p.steps) {
    json step = {{"part", partName(s.part)}, {"number", s.number}};
    if (s.part == PlacePart::Stream) step["category"] = categoryName(s.category);
    steps.push_back(step);
  }
  o["file"] = latin1ToUtf8(p.name);
  o["place"] = steps;
  o["place_text"] = latin1ToUtf8(placeText(p));
}

}  // namespace

json lintJson(const CheckReport& r) {
  json findings = json::array();
  for (const Finding& f : r.findings) {
    json o = {{"rule", std::string(f.rule)}, {"severity", std::string(severityText(f.severity))},
              {"text", latin1ToUtf8(f.text)}};
    putPlace(o, f.place);
    findings.push_back(o);
  }
  json summary = {{"errors", r.count(Severity::Error)},
                  {"warnings", r.count(Severity::Warning)},
                  {"notes", r.count(Severity::Note)}};
  return jsonDocument("lint", {{"findings", findings}, {"summary", summary}});
}

json gprMapJson(const GprMap& m) {
  json regs = json::array();
  for (const GprEntry& e : m.registers) {
    json uses = json::array();
    for (const GprUse& u : e.uses) {
      json o = {{"access", u.access == Access::Write ? "write" : "read"},
                {"form", u.form == AccessForm::Direct ? "direct" : "indirect"},
                {"command", latin1ToUtf8(u.command)},
                {"value", u.value ? json(*u.value) : json(nullptr)}};
      putPlace(o, u.place);
      uses.push_back(o);
    }
    regs.push_back({{"gpr", e.gpr}, {"uses", uses}});
  }
  return jsonDocument("gpr_map", {{"registers", regs}});
}

json navmapJson(const NavGraph& g) {
  json nodes = json::array(), edges = json::array();
  for (const NavNode& n : g.nodes) {
    json o = {{"id", n.key},
              {"kind", std::string(nodeKindName(n.kind))},
              {"number", n.number},
              {"label", latin1ToUtf8(n.label)},
              {"reachable", n.reachable},
              {"parent", n.parent >= 0 ? json(g.nodes[std::size_t(n.parent)].key) : json(nullptr)}};
    putPlace(o, n.place);
    nodes.push_back(o);
  }
  for (const NavEdge& e : g.edges) {
    json o = {{"from", g.nodes[e.from].key}, {"to", g.nodes[e.to].key}, {"label", latin1ToUtf8(e.label)}};
    putPlace(o, e.place);
    edges.push_back(o);
  }
  return jsonDocument("navmap", {{"nodes", nodes}, {"edges", edges}});
}

}  // namespace mirdal::cli
