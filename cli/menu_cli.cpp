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

std::size_t usedEntries(const IgPalette& p) {
  std::size_t n = 0;
  for (const Rgba& c : p.colours) n += !c.unused();
  return n;
}

std::string effectsText(const EffectSequence& s, const char* what) {
  std::string out = std::string("  ") + what + ": " + std::to_string(s.windowCount) + " windows, " +
                    std::to_string(s.effects.size()) + " effects\n";
  for (std::size_t i = 0; i < s.windowCount; ++i) {
    const EffectWindow& w = s.windows[i];
    out += "    window " + std::to_string(w.windowId) + ": " + std::to_string(w.x) + "," + std::to_string(w.y) + " " +
           std::to_string(w.width) + "x" + std::to_string(w.height) + "\n";
  }
  for (std::size_t e = 0; e < s.effects.size(); ++e) {
    const Effect& ef = s.effects[e];
    out += "    effect " + std::to_string(e) + ": " + igTimeText(ef.duration) + ", palette " +
           std::to_string(ef.paletteId) + ", objects";
    if (ef.compObjects.empty()) out += " none";
    for (const CompositionObject& c : ef.compObjects) {
      out += " " + hex4(c.objectId) + "@" + std::to_string(c.x) + "," + std::to_string(c.y) + " w" +
             std::to_string(c.windowId);
      if (c.cropped())
        out += " crop " + std::to_string(c.cropX) + "," + std::to_string(c.cropY) + " " +
               std::to_string(c.cropWidth) + "x" + std::to_string(c.cropHeight);
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

std::string pageText(const IgPage& p, std::size_t index) {
  std::string out = "Page " + std::to_string(index) + ": id " + std::to_string(p.pageId) + ", version " +
                    std::to_string(p.pageVersion) + ", UO mask " + hexText(p.uoMask[0], 8) +
                    hexText(p.uoMask[1], 8) + ", palette " + std::to_string(p.paletteId) + ", animation " +
                    std::to_string(p.animationFrameRateCode) + ", default selected " +
                    hex4(p.defaultSelectedButton) + ", default activated " + hex4(p.defaultActivatedButton) +
                    "\n";
  out += effectsText(p.effects[0], "In effects");
  out += effectsText(p.effects[1], "Out effects");
  for (std::size_t g = 0; g < p.bogs.size(); ++g) {
    const Bog& bog = p.bogs[g];
    out += "  BOG " + std::to_string(g) + ": default valid button " + hex4(bog.defaultValidButton) + ", " +
           std::to_string(bog.buttons.size()) + " buttons\n";
    TextTable t(kButtonColumns);
    for (const IgButton& b : bog.buttons)
      t.add({hex4(b.buttonId), std::to_string(b.numericSelectValue), yesNo(b.autoAction), std::to_string(b.x),
             std::to_string(b.y), hex4(b.upper), hex4(b.lower), hex4(b.left), hex4(b.right),
             range(b.normalStart, b.normalEnd), yesNo(b.normalRepeat), std::to_string(b.selectedSound),
             range(b.selectedStart, b.selectedEnd), yesNo(b.selectedRepeat), std::to_string(b.activatedSound),
             range(b.activatedStart, b.activatedEnd), std::to_string(b.commands.size())});
    out += t.text("    ");
    for (const IgButton& b : bog.buttons) {
      if (b.commands.empty()) continue;
      out += "    Button " + hex4(b.buttonId) + ":\n";
      for (std::size_t c = 0; c < b.commands.size(); ++c) out += "      " + programListLine(b.commands[c], c, CommandContext::ButtonCommands) + "\n";
    }
  }
  return out;
}

json effectsJson(const EffectSequence& s) {
  json windows = json::array(), effects = json::array();
  for (std::size_t i = 0; i < s.windowCount; ++i) {
    const EffectWindow& w = s.windows[i];
    windows.push_back({{"window_id", w.windowId}, {"x", w.x}, {"y", w.y}, {"width", w.width}, {"height", w.height}});
  }
  for (const Effect& e : s.effects) {
    json objects = json::array();
    for (const CompositionObject& c : e.compObjects)
      objects.push_back({{"object_id", c.objectId},
                         {"window_id", c.windowId},
                         {"cropped", c.cropped()},
                         {"forced_on", bool(c.flags & 1)},
                         {"x", c.x},
                         {"y", c.y},
                         {"crop_x", c.cropX},
                         {"crop_y", c.cropY},
                         {"crop_width", c.cropWidth},
                         {"crop_height", c.cropHeight}});
    effects.push_back({{"duration", e.duration}, {"palette_id", e.paletteId}, {"composition_objects", objects}});
  }
  return {{"windows", windows}, {"effects", effects}};
}

json buttonJson(const IgButton& b) {
  json commands = json::array();
  for (const NavCommand& c : b.commands) commands.push_back({{"opcode", c.opcode}, {"dst", c.dst}, {"src", c.src}});
  return {{"button_id", b.buttonId},
          {"numeric_select_value", b.numericSelectValue},
          {"auto_action", bool(b.autoAction)},
          {"x", b.x},
          {"y", b.y},
          {"upper", b.upper},
          {"lower", b.lower},
          {"left", b.left},
          {"right", b.right},
          {"normal", {{"start_object", b.normalStart}, {"end_object", b.normalEnd}, {"repeat", bool(b.normalRepeat)}}},
          {"selected",
           {{"sound_id", b.selectedSound},
            {"start_object", b.selectedStart},
            {"end_object", b.selectedEnd},
            {"repeat", bool(b.selectedRepeat)}}},
          {"activated",
           {{"sound_id", b.activatedSound}, {"start_object", b.activatedStart}, {"end_object", b.activatedEnd}}},
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

bool loadMenuForCli(const std::string& path, IgMenu& m) {
  CaptureReporter capture;
  MenuLoad r;
  {
    r = readMnuFile(path, m, capture);
  }
  // A menu read with errors is not used: it would show or write guesses.
  if (r.status != ReadStatus::Ok || capture.errors) {
    capture.replayToStderr();
    return false;
  }
  capture.replayDiagnostics();
  return true;
}

bool mayDropDisplaySets(const std::string& path, const IgMenu& m, bool force) {
  if (m.displaySets <= 1 || force) return true;
  std::fprintf(stderr,
               "mirdal-cli: %s holds %zu display sets and a menu is written with its first one alone; nothing "
               "written (--force drops the other %zu)\n",
               path.c_str(), m.displaySets, m.displaySets - 1);
  return false;
}

std::string dumpMenuText(const IgMenu& m, const std::string& name) {
  const InteractiveComposition& c = m.ics;
  std::string out = name + ": menu " + std::to_string(c.videoWidth) + "x" + std::to_string(c.videoHeight) + ", " +
                    menuFrameRateText(c.frameRate) + " fps\n";
  out += "Composition number " + std::to_string(c.compositionNumber) + ", state " +
         std::to_string(c.compositionState) + ", stream model " + yesNo(c.model & 2) + ", user interface model " +
         yesNo(c.model & 1) + "\n";
  if (!c.streamModel())
    out += "Composition time-out " + hexText(c.compositionTimeoutPts, 10) + ", selection time-out " +
           hexText(c.selectionTimeoutPts, 10) + "\n";
  out += "User time-out " + igTimeText(c.userTimeout) + ", IG in-time " + igTimeText(m.inTime) + "\n";
  out += std::to_string(c.pages.size()) + " pages, " + std::to_string(m.objects.size()) + " objects, " +
         std::to_string(m.palettes.size()) + " palettes\n";
  for (std::size_t i = 0; i < c.pages.size(); ++i) out += pageText(c.pages[i], i);
  out += "Objects:\n";
  TextTable objects(std::vector<std::string>{"Id", "Width", "Height", "RLE bytes", "Fragments"});
  for (const IgObject& o : m.objects)
    objects.add({hex4(std::uint32_t(&o - m.objects.data())), std::to_string(o.width), std::to_string(o.height),
                 std::to_string(o.rleLength), std::to_string(o.fragments.size())});
  out += objects.text("  ");
  out += "Palettes:\n";
  TextTable palettes(std::vector<std::string>{"Id", "Version", "Entries"});
  for (std::size_t i = 0; i < m.palettes.size(); ++i)
    palettes.add({hexText(i, 2), std::to_string(m.palettes[i].version), std::to_string(usedEntries(m.palettes[i]))});
  out += palettes.text("  ");
  if (m.displaySets > 1)
    out += "Display sets in the stream: " + std::to_string(m.displaySets) + " (only the first is loaded)\n";
  if (!m.unknownSegments.empty()) {
    out += "Segments of unknown type (kept as read):\n";
    TextTable kept(std::vector<std::string>{"Type", "Offset", "Bytes"});
    for (const KeptSegment& k : m.unknownSegments)
      kept.add({hexText(k.type, 2), hexText(k.offset, 8), std::to_string(k.body.size())});
    out += kept.text("  ");
  }
  return out;
}

json menuToJson(const IgMenu& m) {
  const InteractiveComposition& c = m.ics;
  json pages = json::array();
  for (const IgPage& p : c.pages) {
    json bogs = json::array();
    for (const Bog& g : p.bogs) {
      json buttons = json::array();
      for (const IgButton& b : g.buttons) buttons.push_back(buttonJson(b));
      bogs.push_back({{"default_valid_button_id", g.defaultValidButton}, {"buttons", buttons}});
    }
    pages.push_back({{"page_id", p.pageId},
                     {"page_version", p.pageVersion},
                     {"uo_mask", {p.uoMask[0], p.uoMask[1]}},
                     {"in_effects", effectsJson(p.effects[0])},
                     {"out_effects", effectsJson(p.effects[1])},
                     {"animation_frame_rate_code", p.animationFrameRateCode},
                     {"default_selected_button_id", p.defaultSelectedButton},
                     {"default_activated_button_id", p.defaultActivatedButton},
                     {"palette_id", p.paletteId},
                     {"bogs", bogs}});
  }
  json objects = json::array();
  for (std::size_t i = 0; i < m.objects.size(); ++i) {
    const IgObject& o = m.objects[i];
    objects.push_back({{"object_id", i},
                       {"width", o.width},
                       {"height", o.height},
                       {"rle_length", o.rleLength},
                       {"fragments", o.fragments.size()}});
  }
  json palettes = json::array();
  for (std::size_t i = 0; i < m.palettes.size(); ++i) {
    json entries = json::array();
    for (std::size_t e = 0; e < 256; ++e) {
      const Rgba& col = m.palettes[i].colours[e];
      if (col.unused()) continue;
      const YCrCb& y = m.palettes[i].ycrcb[e];
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
  for (const KeptSegment& k : m.unknownSegments)
    unknown.push_back({{"type", k.type}, {"offset", k.offset}, {"length", k.body.size()}});
  return {{"kind", "menu"},
          {"format_version", 1},
          {"in_time", m.inTime},
          {"composition",
           {{"video_width", c.videoWidth},
            {"video_height", c.videoHeight},
            {"frame_rate_code", c.frameRate},
            {"composition_number", c.compositionNumber},
            {"composition_state", c.compositionState},
            {"stream_model", bool(c.model & 2)},
            {"user_interface_model", bool(c.model & 1)},
            {"composition_timeout_pts", c.compositionTimeoutPts},
            {"selection_timeout_pts", c.selectionTimeoutPts},
            {"user_timeout", c.userTimeout},
            {"pages", pages}}},
          {"objects", objects},
          {"palettes", palettes},
          {"display_sets", m.displaySets},
          {"unknown_segments", unknown}};
}

}  // namespace mirdal::cli
