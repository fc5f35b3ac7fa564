#include "cli/menu_edit_json.h"

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "core/fields.h"
#include "menu/menu_edit.h"
#include "menu/object_png.h"
#include "documents/program_import.h"
#include "nav/command_assembler.h"
#include "nav/program_text.h"

namespace mirdal::cli {

namespace {

using nlohmann::json;

struct Refused {
  std::string why;
};

std::string quoted(const std::string& key) { return "\"" + key + "\""; }

// A number given as a JSON number or as hex text ("0x1F", "1F"); `what`
// names it in the message.
std::uint32_t numberValue(const json& v, const std::string& what) {
  if (v.is_number_unsigned()) {
    if (v.get<std::uint64_t>() > 0xFFFFFFFFull) throw Refused{what + " is larger than 4294967295"};
    return v.get<std::uint32_t>();
  }
  if (v.is_number_integer()) throw Refused{what + " is negative (" + v.dump() + ")"};
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    std::size_t used = 0;
    unsigned long long n = 0;
    try {
      n = std::stoull(s, &used, 16);
    } catch (...) {
      used = 0;
    }
    if (used == s.size() && used > 0 && n <= 0xFFFFFFFFull) return std::uint32_t(n);
  }
  throw Refused{what + " is not a number from 0 to 4294967295 or a hex text: " + v.dump()};
}

std::uint32_t number(const json& e, const char* key) {
  if (!e.contains(key)) throw Refused{"missing " + quoted(key)};
  return numberValue(e[key], quoted(key));
}

std::size_t index(const json& e, const char* key) { return number(e, key); }

std::string countOf(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// An index into a list of n things; `whose` says what holds the list.
std::size_t indexIn(const json& e, const char* key, std::size_t n, const std::string& whose, const char* one,
                    const char* many) {
  const std::size_t i = index(e, key);
  if (i >= n) throw Refused{quoted(key) + " " + std::to_string(i) + " does not exist: " + whose + " has " + countOf(n, one, many)};
  return i;
}

std::size_t pageOf(const IgMenu& m, const json& e) {
  return indexIn(e, "page", m.ics.pages.size(), "the menu", "page", "pages");
}

std::size_t bogOf(const IgMenu& m, const json& e, std::size_t p) {
  return indexIn(e, "bog", m.ics.pages[p].bogs.size(), "page " + std::to_string(p), "BOG", "BOGs");
}

std::size_t buttonOf(const IgMenu& m, const json& e, std::size_t p, std::size_t g) {
  return indexIn(e, "button", m.ics.pages[p].bogs[g].buttons.size(),
                 "BOG " + std::to_string(g) + " of page " + std::to_string(p), "button", "buttons");
}

std::string sequenceName(const json& e) {
  if (!e.contains("sequence")) return "in";
  if (!e["sequence"].is_string()) throw Refused{"\"sequence\" is \"in\" or \"out\", not " + e["sequence"].dump()};
  return e["sequence"].get<std::string>();
}

int sequence(const json& e) {
  const std::string s = sequenceName(e);
  if (s == "in") return 0;
  if (s == "out") return 1;
  throw Refused{"\"sequence\" is \"in\" or \"out\""};
}

const EffectSequence& sequenceOf(const IgMenu& m, const json& e, std::size_t p) { return m.ics.pages[p].effects[sequence(e)]; }

std::size_t effectOf(const IgMenu& m, const json& e, const char* key, std::size_t p) {
  return indexIn(e, key, sequenceOf(m, e, p).effects.size(),
                 "the " + sequenceName(e) + "-effects of page " + std::to_string(p), "effect",
                 "effects");
}

// Indexes into a list of n rows; each must exist.
std::vector<std::size_t> rows(const json& e, const char* key, std::size_t n, const char* one, const char* many) {
  if (!e.contains(key) || !e[key].is_array()) throw Refused{quoted(key) + " is not a list"};
  std::vector<std::size_t> r;
  for (std::size_t i = 0; i < e[key].size(); ++i) {
    const json& v = e[key][i];
    if (!v.is_number_unsigned())
      throw Refused{quoted(key) + " entry " + std::to_string(i) + " is not an index: " + v.dump()};
    const std::size_t row = v.get<std::size_t>();
    if (row >= n)
      throw Refused{quoted(key) + " entry " + std::to_string(i) + " names " + one + " " + std::to_string(row) +
                    ", which does not exist: the menu has " + countOf(n, one, many)};
    r.push_back(row);
  }
  if (r.empty()) throw Refused{quoted(key) + " is empty"};
  return r;
}

// A command: three words ([opcode, dst, src] numbers or a text of three hex
// words, "51C00003 80000001 00000002") or a command line as the grids show
// it ("SetButtonPage 1, (2)").
NavCommand command(const json& v, std::size_t n) {
  const std::string what = "command " + std::to_string(n);
  std::uint32_t w[3] = {0, 0, 0};
  const auto word = [&](int i) { return what + " word " + std::to_string(i + 1); };
  if (v.is_array() && v.size() == 3) {
    for (int i = 0; i < 3; ++i) w[i] = numberValue(v[std::size_t(i)], word(i));
    return {w[0], w[1], w[2]};
  }
  if (!v.is_string()) throw Refused{what + " is not a list of three words, a text of three hex words or a command line"};
  const std::string text = v.get<std::string>();
  std::istringstream in(text);
  std::vector<std::string> tokens;
  for (std::string t; in >> t;) tokens.push_back(t);
  std::size_t hexWords = 0;
  std::optional<Refused> notANumber;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    try {
      const std::uint32_t x = numberValue(json(tokens[k]), word(int(k)));
      if (k < 3) w[k] = x;
      ++hexWords;
    } catch (const Refused& r) {
      notANumber = r;  // not a hex word: a command line, or a bad word
      break;
    }
  }
  if (tokens.size() == 3 && hexWords == 3) return {w[0], w[1], w[2]};
  AssembledCommand a = assembleCommand(text, 0);
  if (!a.error) return a.command;  // "Add" and "BC" look like hex words too
  // Text that starts as words was meant as words: say which word is wrong.
  if (hexWords == tokens.size())
    throw Refused{what + " has " + std::to_string(tokens.size()) + " words, not three"};
  if (hexWords > 0 && notANumber) throw *notANumber;
  throw Refused{what + ": " + a.error->message()};
}

const std::map<std::string, ButtonField>& buttonFields() {
  static const std::map<std::string, ButtonField> f{
      {"value", ButtonField::Value},
      {"auto_action", ButtonField::AutoAction},
      {"x", ButtonField::X},
      {"y", ButtonField::Y},
      {"upper", ButtonField::Upper},
      {"lower", ButtonField::Lower},
      {"left", ButtonField::Left},
      {"right", ButtonField::Right},
      {"normal_start", ButtonField::NormalStart},
      {"normal_end", ButtonField::NormalEnd},
      {"normal_repeat", ButtonField::NormalRepeat},
      {"selected_sound", ButtonField::SelectedSound},
      {"selected_start", ButtonField::SelectedStart},
      {"selected_end", ButtonField::SelectedEnd},
      {"selected_repeat", ButtonField::SelectedRepeat},
      {"activated_sound", ButtonField::ActivatedSound},
      {"activated_start", ButtonField::ActivatedStart},
      {"activated_end", ButtonField::ActivatedEnd},
  };
  return f;
}

// What a button field takes, for the message of a refused value.
std::string buttonFieldRule(const IgMenu& m, std::size_t p, ButtonField f, std::size_t sounds) {
  const std::size_t ids = p < m.pageButtons.size() ? m.pageButtons[p].ids.size() : 0;
  switch (f) {
    case ButtonField::Value: return "it is at most 65535";
    case ButtonField::X: return "it lies below the video width " + std::to_string(m.ics.videoWidth);
    case ButtonField::Y: return "it lies below the video height " + std::to_string(m.ics.videoHeight);
    case ButtonField::Upper:
    case ButtonField::Lower:
    case ButtonField::Left:
    case ButtonField::Right:
      return "it is a button id of page " + std::to_string(p) + ", below " + std::to_string(ids);
    case ButtonField::NormalStart:
    case ButtonField::NormalEnd:
    case ButtonField::SelectedStart:
    case ButtonField::SelectedEnd:
    case ButtonField::ActivatedStart:
    case ButtonField::ActivatedEnd:
      return "it is an object id, below the menu's " + countOf(m.objects.size(), "object", "objects");
    case ButtonField::SelectedSound:
    case ButtonField::ActivatedSound:
      return "it is 255 (no sound) or a sound id below \"sound_count\" (" + std::to_string(sounds) + ")";
    case ButtonField::AutoAction:
    case ButtonField::NormalRepeat:
    case ButtonField::SelectedRepeat:
      break;
  }
  return "it is 0 or 1";
}

const std::map<std::string, PageField>& pageFields() {
  static const std::map<std::string, PageField> f{
      {"page_id", PageField::PageId},
      {"version", PageField::Version},
      {"uo_mask_1", PageField::UoMask1},
      {"uo_mask_2", PageField::UoMask2},
      {"animation_frame_rate_code", PageField::AnimationRate},
      {"default_selected_button", PageField::DefaultSelected},
      {"default_activated_button", PageField::DefaultActivated},
      {"palette", PageField::Palette},
  };
  return f;
}

std::string pageFieldRule(const IgMenu& m, PageField f) {
  switch (f) {
    case PageField::DefaultSelected:
    case PageField::DefaultActivated: return "it is at most 65535";
    case PageField::Palette: return "it is a palette id, below the menu's " + countOf(m.palettes.size(), "palette", "palettes");
    case PageField::UoMask1:
    case PageField::UoMask2: return "it is a 32-bit word";
    case PageField::PageId:
    case PageField::Version:
    case PageField::AnimationRate: break;
  }
  return "it is at most 255";
}

const std::map<std::string, CompositionField>& compositionFields() {
  static const std::map<std::string, CompositionField> f{
      {"width", CompositionField::Width},
      {"height", CompositionField::Height},
      {"frame_rate", CompositionField::FrameRate},
      {"composition_number", CompositionField::CompositionNumber},
      {"composition_state", CompositionField::CompositionState},
      {"model", CompositionField::Model},
      {"user_timeout", CompositionField::UserTimeout},
      {"in_time", CompositionField::InTime},
  };
  return f;
}

std::string compositionFieldRule(CompositionField f) {
  switch (f) {
    case CompositionField::Width:
    case CompositionField::Height: return "it is 1 to 65535";
    case CompositionField::FrameRate: return "it is 0 to 15";
    case CompositionField::CompositionNumber: return "it is at most 65535";
    case CompositionField::CompositionState:
    case CompositionField::Model: return "it is 0 to 3";
    case CompositionField::UserTimeout: return "it is at most 16777215 (24 bits of 90 kHz ticks)";
    case CompositionField::InTime: break;
  }
  return "it is a 32-bit number";
}

// Sets every key of e["fields"] through `set`; `rule` says what a refused
// field takes.
template <typename Field, typename Set, typename Rule>
void setFields(const json& e, const std::map<std::string, Field>& names, Set set, Rule rule) {
  if (!e.contains("fields") || !e["fields"].is_object()) throw Refused{"\"fields\" is not an object"};
  for (const auto& [key, value] : e["fields"].items()) {
    const auto it = names.find(key);
    if (it == names.end()) throw Refused{"no field " + quoted(key)};
    const std::uint32_t v = numberValue(value, "the value of " + quoted(key));
    if (!set(it->second, v)) throw Refused{quoted(key) + ": " + std::to_string(v) + " is refused; " + rule(it->second)};
  }
}

void ok(bool done, const std::string& why) {
  if (!done) throw Refused{why};
}

void apply(IgMenu& m, const json& e, const std::string& baseDir, Reporter& rep) {
  if (!e.is_object() || !e.contains("op") || !e["op"].is_string()) throw Refused{"an edit is an object with \"op\""};
  const std::string op = e["op"];
  if (op == "create_page") return ok(createPage(m), "the menu has the most pages it can hold (" + std::to_string(kMaxPages) + ")");
  if (op == "create_bog") {
    const std::size_t p = pageOf(m, e);
    return ok(createBog(m, p), "page " + std::to_string(p) + " has the most BOGs it can hold (" + std::to_string(kMaxBogs) + ")");
  }
  if (op == "create_button") {
    const std::size_t p = pageOf(m, e), g = bogOf(m, e, p);
    return ok(createButton(m, p, g), "BOG " + std::to_string(g) + " of page " + std::to_string(p) +
                                         " has the most buttons it can hold (" + std::to_string(kMaxButtonsPerBog) + ")");
  }
  if (op == "delete_page") return ok(deletePage(m, pageOf(m, e)), "a menu keeps at least one page");
  if (op == "delete_bog") {
    const std::size_t p = pageOf(m, e);
    return ok(deleteBog(m, p, bogOf(m, e, p)), "a page keeps at least one BOG");
  }
  if (op == "delete_button") {
    const std::size_t p = pageOf(m, e), g = bogOf(m, e, p);
    return ok(deleteButton(m, p, g, buttonOf(m, e, p, g)), "a BOG keeps at least one button");
  }
  if (op == "delete_objects" || op == "delete_palettes") {
    const std::string why = op == "delete_objects"
                                ? deleteObjects(m, rows(e, "objects", m.objects.size(), "object", "objects"))
                                : deletePalettes(m, rows(e, "palettes", m.palettes.size(), "palette", "palettes"));
    if (!why.empty()) throw Refused{why};
    return;
  }
  if (op == "import_object") {
    if (!e.contains("png") || !e["png"].is_string()) throw Refused{"\"png\" is not a file name"};
    std::filesystem::path path = e["png"].get<std::string>();
    if (path.is_relative()) path = std::filesystem::path(baseDir) / path;
    Bytes png;
    std::string error;
    if (!readFileBytes(path.string(), png, &error)) throw Refused{"cannot read " + path.string() + " (" + error + ")"};
    ObjectImport where;
    if (e.contains("replace_object"))
      where.replaceObject = indexIn(e, "replace_object", m.objects.size(), "the menu", "object", "objects");
    if (e.contains("replace_palette"))
      where.replacePalette = indexIn(e, "replace_palette", m.palettes.size(), "the menu", "palette", "palettes");
    if (!importObjectPng(m, png, where, rep)) throw Refused{"the image was not taken"};
    return;
  }
  if (op == "set_button") {
    const std::size_t p = pageOf(m, e), g = bogOf(m, e, p), b = buttonOf(m, e, p, g);
    const std::size_t sounds = e.contains("sound_count") ? index(e, "sound_count") : 0;
    return setFields(
        e, buttonFields(), [&](ButtonField f, std::uint32_t v) { return setButtonField(m, p, g, b, f, v, sounds); },
        [&](ButtonField f) { return buttonFieldRule(m, p, f, sounds); });
  }
  if (op == "set_commands") {
    const std::size_t p = pageOf(m, e), g = bogOf(m, e, p), b = buttonOf(m, e, p, g);
    if (!e.contains("commands") || !e["commands"].is_array()) throw Refused{"\"commands\" is not a list"};
    CommandList list;
    for (std::size_t i = 0; i < e["commands"].size(); ++i) list.push_back(command(e["commands"][i], i));
    return ok(setButtonCommands(m, p, g, b, list), "a button holds at most 65535 commands");
  }
  if (op == "import_commands") {
    const std::size_t p = pageOf(m, e), g = bogOf(m, e, p), b = buttonOf(m, e, p, g);
    if (!e.contains("list") || !e["list"].is_string()) throw Refused{"\"list\" is not a file name"};
    std::filesystem::path path = e["list"].get<std::string>();
    if (path.is_relative()) path = std::filesystem::path(baseDir) / path;
    Bytes bytes;
    std::string error;
    if (!readFileBytes(path.string(), bytes, &error)) throw Refused{"cannot read " + path.string() + " (" + error + ")"};
    const ProgramText text = assembleProgram(std::string(bytes.begin(), bytes.end()));
    if (text.error) throw Refused{path.filename().string() + ": " + text.error->message()};
    std::optional<std::size_t> at;
    if (e.contains("insert_at")) at = index(e, "insert_at");
    const ProgramImport r = importButtonCommands(m, p, g, b, text.commands, at);
    if (!r.done) throw Refused{r.refusal};
    return;
  }
  if (op == "set_default_valid_button") {
    const std::size_t p = pageOf(m, e), g = bogOf(m, e, p);
    const std::uint32_t v = number(e, "value");
    const std::size_t ids = m.pageButtons[p].ids.size();
    return ok(v <= 0xFFFF && setDefaultValidButton(m, p, g, std::uint16_t(v)),
              "\"value\": " + std::to_string(v) + " is refused; it is 65535 (none) or a button id of page " +
                  std::to_string(p) + ", below " + std::to_string(ids));
  }
  if (op == "set_page") {
    const std::size_t p = pageOf(m, e);
    return setFields(
        e, pageFields(), [&](PageField f, std::uint32_t v) { return setPageField(m, p, f, v); },
        [&](PageField f) { return pageFieldRule(m, f); });
  }
  if (op == "set_composition")
    return setFields(
        e, compositionFields(), [&](CompositionField f, std::uint32_t v) { return setCompositionField(m, f, v); },
        [](CompositionField f) { return compositionFieldRule(f); });
  if (op == "insert_effect_window") {
    const std::size_t p = pageOf(m, e);
    return ok(insertEffectWindow(m, p, sequence(e)), "an effect sequence holds at most two windows");
  }
  if (op == "delete_effect_window") {
    const std::size_t p = pageOf(m, e);
    const std::size_t w = indexIn(e, "window", sequenceOf(m, e, p).windowCount,
                                  "that effect sequence of page " + std::to_string(p), "window", "windows");
    return ok(deleteEffectWindow(m, p, sequence(e), w), "the window was not deleted");
  }
  if (op == "insert_effect") {
    const std::size_t p = pageOf(m, e);
    const std::size_t at = index(e, "at");
    const std::size_t n = sequenceOf(m, e, p).effects.size();
    if (at > n) throw Refused{"\"at\": " + std::to_string(at) + " is refused; it is at most the effect count " + std::to_string(n)};
    return ok(insertEffect(m, p, sequence(e), at), "an effect sequence holds at most 255 effects");
  }
  if (op == "delete_effect") {
    const std::size_t p = pageOf(m, e);
    return ok(deleteEffect(m, p, sequence(e), effectOf(m, e, "effect", p)), "the effect was not deleted");
  }
  if (op == "insert_comp_object") {
    const std::size_t p = pageOf(m, e);
    const std::size_t ef = effectOf(m, e, "effect", p);
    CompositionObject c;
    c.objectId = std::uint16_t(indexIn(e, "object", m.objects.size(), "the menu", "object", "objects"));
    c.x = std::uint16_t(e.contains("x") ? number(e, "x") : 0);
    c.y = std::uint16_t(e.contains("y") ? number(e, "y") : 0);
    c.windowId = std::uint8_t(e.contains("window") ? number(e, "window") : 0);
    return ok(insertCompObject(m, p, sequence(e), ef, c), "an effect holds at most 255 composition objects");
  }
  if (op == "delete_comp_object") {
    const std::size_t p = pageOf(m, e);
    const std::size_t ef = effectOf(m, e, "effect", p);
    const std::size_t i = indexIn(e, "index", sequenceOf(m, e, p).effects[ef].compObjects.size(),
                                  "effect " + std::to_string(ef), "composition object", "composition objects");
    return ok(deleteCompObject(m, p, sequence(e), ef, i), "the composition object was not deleted");
  }
  throw Refused{"unknown op"};
}

}  // namespace

bool applyMenuEdits(IgMenu& m, const nlohmann::json& edits, const std::string& baseDir, std::string& error,
                    Reporter& rep) {
  if (!edits.is_array()) {
    error = "the edits are not a JSON list";
    return false;
  }
  for (std::size_t i = 0; i < edits.size(); ++i) {
    try {
      apply(m, edits[i], baseDir, rep);
    } catch (const Refused& r) {
      const std::string op = edits[i].is_object() && edits[i].contains("op") && edits[i]["op"].is_string()
                                 ? edits[i]["op"].get<std::string>()
                                 : "?";
      error = "edit " + std::to_string(i) + " (" + op + "): " + r.why;
      return false;
    } catch (const json::exception& x) {
      // A value of the wrong JSON type that no check above named: still a
      // refusal of this edit, never an abort.
      error = "edit " + std::to_string(i) + ": a value has the wrong type (" + x.what() + ")";
      return false;
    }
  }
  return true;
}

}  // namespace mirdal::cli
