#include "cli/menu_cli.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/cli_context.h"
#include "cli/dump_text.h"
#include "cli/file_kinds.h"
#include "cli/text_table.h"
#include "core/disc_folder.h"
#include "core/display_text.h"
#include "core/save.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "menu/menu_text.h"
#include "nav/program_export.h"

namespace mirdal::cli {

using nlohmann::json;

namespace {

std::string hex4(std::uint32_t v) { return hexText(v, 4); }

std::string range(std::uint16_t start, std::uint16_t end) {
  if (start == kNoObjectId) return "-";
  return hex4(start) + ".." + hex4(end);
}

std::size_t usedEntries(const TIGpalette& p) {
  std::size_t n = 0;
  for (const TRGBA& c : p.colours) n += !c.unused();
  return n;
}

std::string effectsText(const Teffectseq& s, const char* what) {
  std::string out = std::string("  ") + what + ": " + std::to_string(s.window_count) + " windows, " +
                    std::to_string(s.effects.size()) + " effects\n";
  for (std::size_t i = 0; i < s.window_count; ++i) {
    const TEffectWindow& w = s.windows[i];
    out += "    window " + std::to_string(w.window_id) + ": " + std::to_string(w.x) + "," + std::to_string(w.y) + " " +
           std::to_string(w.width) + "x" + std::to_string(w.height) + "\n";
  }
  for (std::size_t e = 0; e < s.effects.size(); ++e) {
    const Teffect& ef = s.effects[e];
    out += "    effect " + std::to_string(e) + ": " + igTimeText(ef.duration) + ", palette " +
           std::to_string(ef.palette_id) + ", objects";
    if (ef.comp_objects.empty()) out += " none";
    for (const TCompObject& c : ef.comp_objects) {
      out += " " + hex4(c.object_id) + "@" + std::to_string(c.x) + "," + std::to_string(c.y) + " w" +
             std::to_string(c.window_id);
      if (c.cropped())
        out += " crop " + std::to_string(c.crop_x) + "," + std::to_string(c.crop_y) + " " +
               std::to_string(c.crop_width) + "x" + std::to_string(c.crop_height);
      if (c.flags & 1) out += " forced";
    }
    out += "\n";
  }
  return out;
}

const std::vector<std::string> kButtonColumns = {"Id",     "Num",      "Auto",     "X",       "Y",
                                                 "Up",     "Down",     "Left",     "Right",   "Normal",
                                                 "Repeat", "Sel snd",  "Selected", "Repeat",  "Act snd",
                                                 "Activated", "Commands"};

std::string pageText(const TPage& p, std::size_t index) {
  std::string out = "Page " + std::to_string(index) + ": id " + std::to_string(p.page_id) + ", version " +
                    std::to_string(p.page_version) + ", UO mask " + hexText(p.uo_mask[0], 8) +
                    hexText(p.uo_mask[1], 8) + ", palette " + std::to_string(p.palette_id) + ", animation " +
                    std::to_string(p.animation_frame_rate_code) + ", default selected " +
                    hex4(p.default_selected_button) + ", default activated " + hex4(p.default_activated_button) +
                    "\n";
  out += effectsText(p.effects[0], "In effects");
  out += effectsText(p.effects[1], "Out effects");
  for (std::size_t g = 0; g < p.bogs.size(); ++g) {
    const TBOG& bog = p.bogs[g];
    out += "  BOG " + std::to_string(g) + ": default valid button " + hex4(bog.default_valid_button) + ", " +
           std::to_string(bog.buttons.size()) + " buttons\n";
    TextTable t(kButtonColumns);
    for (const TIGbutton& b : bog.buttons)
      t.add({hex4(b.button_id), std::to_string(b.numeric_select_value), yesNo(b.auto_action), std::to_string(b.x),
             std::to_string(b.y), hex4(b.upper), hex4(b.lower), hex4(b.left), hex4(b.right),
             range(b.normal_start, b.normal_end), yesNo(b.normal_repeat), std::to_string(b.selected_sound),
             range(b.selected_start, b.selected_end), yesNo(b.selected_repeat), std::to_string(b.activated_sound),
             range(b.activated_start, b.activated_end), std::to_string(b.commands.size())});
    out += t.text("    ");
    for (const TIGbutton& b : bog.buttons) {
      if (b.commands.empty()) continue;
      out += "    Button " + hex4(b.button_id) + ":\n";
      for (std::size_t c = 0; c < b.commands.size(); ++c) out += "      " + programListLine(b.commands[c], c, CommandContext::ButtonCommands) + "\n";
    }
  }
  return out;
}

json effectsJson(const Teffectseq& s) {
  json windows = json::array(), effects = json::array();
  for (std::size_t i = 0; i < s.window_count; ++i) {
    const TEffectWindow& w = s.windows[i];
    windows.push_back({{"window_id", w.window_id}, {"x", w.x}, {"y", w.y}, {"width", w.width}, {"height", w.height}});
  }
  for (const Teffect& e : s.effects) {
    json objects = json::array();
    for (const TCompObject& c : e.comp_objects)
      objects.push_back({{"object_id", c.object_id},
                         {"window_id", c.window_id},
                         {"cropped", c.cropped()},
                         {"forced_on", bool(c.flags & 1)},
                         {"x", c.x},
                         {"y", c.y},
                         {"crop_x", c.crop_x},
                         {"crop_y", c.crop_y},
                         {"crop_width", c.crop_width},
                         {"crop_height", c.crop_height}});
    effects.push_back({{"duration", e.duration}, {"palette_id", e.palette_id}, {"composition_objects", objects}});
  }
  return {{"windows", windows}, {"effects", effects}};
}

json buttonJson(const TIGbutton& b) {
  json commands = json::array();
  for (const TNavCommand& c : b.commands) commands.push_back({{"opcode", c.opcode}, {"dst", c.dst}, {"src", c.src}});
  return {{"button_id", b.button_id},
          {"numeric_select_value", b.numeric_select_value},
          {"auto_action", bool(b.auto_action)},
          {"x", b.x},
          {"y", b.y},
          {"upper", b.upper},
          {"lower", b.lower},
          {"left", b.left},
          {"right", b.right},
          {"normal", {{"start_object", b.normal_start}, {"end_object", b.normal_end}, {"repeat", bool(b.normal_repeat)}}},
          {"selected",
           {{"sound_id", b.selected_sound},
            {"start_object", b.selected_start},
            {"end_object", b.selected_end},
            {"repeat", bool(b.selected_repeat)}}},
          {"activated",
           {{"sound_id", b.activated_sound}, {"start_object", b.activated_start}, {"end_object", b.activated_end}}},
          {"commands", commands}};
}

}  // namespace

bool isMenuFile(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".mnu") return true;
  std::ifstream in(path, std::ios::binary);
  char sig[2] = {0, 0};
  in.read(sig, 2);
  return in.gcount() == 2 && sig[0] == 'I' && sig[1] == 'G';
}

bool loadMenuForCli(const std::string& path, TMenu& m) {
  CaptureReporter capture;
  MenuLoad r;
  {
    ScopedReporter scope(capture);
    r = loadMNU(path, m);
  }
  // A menu read with errors is not used: it would show or write guesses.
  if (r.status != ReadStatus::Ok || capture.errors) {
    capture.replayToStderr();
    return false;
  }
  capture.replayDiagnostics();
  return true;
}

bool mayDropDisplaySets(const std::string& path, const TMenu& m, bool force) {
  if (m.display_sets <= 1 || force) return true;
  std::fprintf(stderr,
               "mirdal-cli: %s holds %zu display sets and a menu is written with its first one alone; nothing "
               "written (--force drops the other %zu)\n",
               path.c_str(), m.display_sets, m.display_sets - 1);
  return false;
}

std::string dumpMenuText(const TMenu& m, const std::string& name) {
  const TIGSc& c = m.ics;
  std::string out = name + ": menu " + std::to_string(c.video_width) + "x" + std::to_string(c.video_height) + ", " +
                    frameRateText(c.frame_rate) + " fps\n";
  out += "Composition number " + std::to_string(c.composition_number) + ", state " +
         std::to_string(c.composition_state) + ", stream model " + yesNo(c.model & 2) + ", user interface model " +
         yesNo(c.model & 1) + "\n";
  if (!c.streamModel())
    out += "Composition time-out " + hexText(c.composition_timeout_pts, 10) + ", selection time-out " +
           hexText(c.selection_timeout_pts, 10) + "\n";
  out += "User time-out " + igTimeText(c.user_timeout) + ", IG in-time " + igTimeText(m.in_time) + "\n";
  out += std::to_string(c.pages.size()) + " pages, " + std::to_string(m.objects.size()) + " objects, " +
         std::to_string(m.palettes.size()) + " palettes\n";
  for (std::size_t i = 0; i < c.pages.size(); ++i) out += pageText(c.pages[i], i);
  out += "Objects:\n";
  TextTable objects(std::vector<std::string>{"Id", "Width", "Height", "RLE bytes", "Fragments"});
  for (const TIGobject& o : m.objects)
    objects.add({hex4(std::uint32_t(&o - m.objects.data())), std::to_string(o.width), std::to_string(o.height),
                 std::to_string(o.rle_length), std::to_string(o.fragments.size())});
  out += objects.text("  ");
  out += "Palettes:\n";
  TextTable palettes(std::vector<std::string>{"Id", "Version", "Entries"});
  for (std::size_t i = 0; i < m.palettes.size(); ++i)
    palettes.add({hexText(i, 2), std::to_string(m.palettes[i].version), std::to_string(usedEntries(m.palettes[i]))});
  out += palettes.text("  ");
  if (m.display_sets > 1)
    out += "Display sets in the stream: " + std::to_string(m.display_sets) + " (only the first is loaded)\n";
  if (!m.unknown_segments.empty()) {
    out += "Segments of unknown type (kept as read):\n";
    TextTable kept(std::vector<std::string>{"Type", "Offset", "Bytes"});
    for (const TKeptSegment& k : m.unknown_segments)
      kept.add({hexText(k.type, 2), hexText(k.offset, 8), std::to_string(k.body.size())});
    out += kept.text("  ");
  }
  return out;
}

json menuToJson(const TMenu& m) {
  const TIGSc& c = m.ics;
  json pages = json::array();
  for (const TPage& p : c.pages) {
    json bogs = json::array();
    for (const TBOG& g : p.bogs) {
      json buttons = json::array();
      for (const TIGbutton& b : g.buttons) buttons.push_back(buttonJson(b));
      bogs.push_back({{"default_valid_button_id", g.default_valid_button}, {"buttons", buttons}});
    }
    pages.push_back({{"page_id", p.page_id},
                     {"page_version", p.page_version},
                     {"uo_mask", {p.uo_mask[0], p.uo_mask[1]}},
                     {"in_effects", effectsJson(p.effects[0])},
                     {"out_effects", effectsJson(p.effects[1])},
                     {"animation_frame_rate_code", p.animation_frame_rate_code},
                     {"default_selected_button_id", p.default_selected_button},
                     {"default_activated_button_id", p.default_activated_button},
                     {"palette_id", p.palette_id},
                     {"bogs", bogs}});
  }
  json objects = json::array();
  for (std::size_t i = 0; i < m.objects.size(); ++i) {
    const TIGobject& o = m.objects[i];
    objects.push_back({{"object_id", i},
                       {"width", o.width},
                       {"height", o.height},
                       {"rle_length", o.rle_length},
                       {"fragments", o.fragments.size()}});
  }
  json palettes = json::array();
  for (std::size_t i = 0; i < m.palettes.size(); ++i) {
    json entries = json::array();
    for (std::size_t e = 0; e < 256; ++e) {
      const TRGBA& col = m.palettes[i].colours[e];
      if (col.unused()) continue;
      const TYCrCb& y = m.palettes[i].ycrcb[e];
      entries.push_back({{"entry_id", e},
                         {"y", y.y},
                         {"cr", y.cr},
                         {"cb", y.cb},
                         {"r", col.r},
                         {"g", col.g},
                         {"b", col.b},
                         {"t", col.t}});
    }
    palettes.push_back({{"palette_id", i}, {"version", m.palettes[i].version}, {"entries", entries}});
  }
  json unknown = json::array();
  for (const TKeptSegment& k : m.unknown_segments)
    unknown.push_back({{"type", k.type}, {"offset", k.offset}, {"length", k.body.size()}});
  return {{"kind", "menu"},
          {"format_version", 1},
          {"in_time", m.in_time},
          {"composition",
           {{"video_width", c.video_width},
            {"video_height", c.video_height},
            {"frame_rate_code", c.frame_rate},
            {"composition_number", c.composition_number},
            {"composition_state", c.composition_state},
            {"stream_model", bool(c.model & 2)},
            {"user_interface_model", bool(c.model & 1)},
            {"composition_timeout_pts", c.composition_timeout_pts},
            {"selection_timeout_pts", c.selection_timeout_pts},
            {"user_timeout", c.user_timeout},
            {"pages", pages}}},
          {"objects", objects},
          {"palettes", palettes},
          {"display_sets", m.display_sets},
          {"unknown_segments", unknown}};
}

}  // namespace mirdal::cli
