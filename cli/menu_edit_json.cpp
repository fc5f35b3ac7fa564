#include "cli/menu_edit_json.h"

#include <filesystem>
#include <map>
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

std::uint32_t number(const json& e, const char* key) {
  if (!e.contains(key)) throw Refused{std::string("missing \"") + key + "\""};
  const json& v = e[key];
  if (v.is_number_unsigned()) {
    if (v.get<std::uint64_t>() > 0xFFFFFFFFull) throw Refused{std::string("\"") + key + "\" is too large"};
    return v.get<std::uint32_t>();
  }
  // Hexadecimal as text: "0x1F" or "1F".
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
  throw Refused{std::string("\"") + key + "\" is not a number from 0 to 4294967295 or a hex text"};
}

std::size_t index(const json& e, const char* key) { return number(e, key); }

int sequence(const json& e) {
  const std::string s = e.value("sequence", std::string("in"));
  if (s == "in") return 0;
  if (s == "out") return 1;
  throw Refused{"\"sequence\" is \"in\" or \"out\""};
}

std::vector<std::size_t> rows(const json& e, const char* key) {
  if (!e.contains(key) || !e[key].is_array()) throw Refused{std::string("\"") + key + "\" is not a list"};
  std::vector<std::size_t> r;
  for (const json& v : e[key]) {
    if (!v.is_number_unsigned()) throw Refused{std::string("\"") + key + "\" holds a value that is not an index"};
    r.push_back(v.get<std::size_t>());
  }
  return r;
}

// The number of an entry of "commands", for messages.
std::string nth(std::size_t i) { return "command " + std::to_string(i); }

// A command: three words ([opcode, dst, src] numbers or a text of three hex
// words, "51C00003 80000001 00000002") or a command line as the grids show
// it ("SetButtonPage 1, (2)").
TNavCommand command(const json& v, std::size_t i) {
  std::uint32_t w[3] = {0, 0, 0};
  if (v.is_array() && v.size() == 3) {
    for (int k = 0; k < 3; ++k) {
      json one = {{"w", v[k]}};
      w[k] = number(one, "w");
    }
    return TNavCommand{w[0], w[1], w[2]};
  }
  if (!v.is_string()) throw Refused{nth(i) + " is not a list of three words, a text of three hex words or a command line"};
  const std::string text = v.get<std::string>();
  std::istringstream in(text);
  std::vector<std::string> tokens;
  for (std::string word; in >> word;) tokens.push_back(word);
  std::size_t hexWords = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    try {
      json one = {{"w", tokens[k]}};
      const std::uint32_t v = number(one, "w");
      if (k < 3) w[k] = v;
      ++hexWords;
    } catch (const Refused&) {
      break;  // not a hex word: a command line
    }
  }
  if (tokens.size() == 3 && hexWords == 3) return TNavCommand{w[0], w[1], w[2]};
  AssembledCommand a = assembleCommand(text, 0);
  if (!a.error) return a.command;  // "Add" and "BC" look like hex words too
  if (hexWords == tokens.size()) throw Refused{nth(i) + ": a command has three words, or is a command line"};
  throw Refused{nth(i) + ": " + a.error->message()};
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

// Sets every key of e["fields"] through `set`.
template <typename Field, typename Set>
void setFields(const json& e, const std::map<std::string, Field>& names, Set set) {
  if (!e.contains("fields") || !e["fields"].is_object()) throw Refused{"\"fields\" is not an object"};
  for (const auto& [key, value] : e["fields"].items()) {
    const auto it = names.find(key);
    if (it == names.end()) throw Refused{"no field \"" + key + "\""};
    json one = {{"v", value}};
    if (!set(it->second, number(one, "v"))) throw Refused{"the value of \"" + key + "\" is refused"};
  }
}

void ok(bool done) {
  if (!done) throw Refused{"refused (an index out of range or a limit reached)"};
}

void apply(TMenu& m, const json& e, const std::string& baseDir) {
  if (!e.is_object() || !e.contains("op") || !e["op"].is_string()) throw Refused{"an edit is an object with \"op\""};
  const std::string op = e["op"];
  if (op == "create_page") return ok(createPage(m));
  if (op == "create_bog") return ok(createBOG(m, index(e, "page")));
  if (op == "create_button") return ok(createButton(m, index(e, "page"), index(e, "bog")));
  if (op == "delete_page") return ok(deletePage(m, index(e, "page")));
  if (op == "delete_bog") return ok(deleteBOG(m, index(e, "page"), index(e, "bog")));
  if (op == "delete_button") return ok(deleteButton(m, index(e, "page"), index(e, "bog"), index(e, "button")));
  if (op == "delete_objects" || op == "delete_palettes") {
    const std::string why =
        op == "delete_objects" ? deleteObjects(m, rows(e, "objects")) : deletePalettes(m, rows(e, "palettes"));
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
    if (e.contains("replace_object")) {
      where.replaceObject = index(e, "replace_object");
      if (*where.replaceObject >= m.objects.size()) throw Refused{"no object to replace"};
    }
    if (e.contains("replace_palette")) {
      where.replacePalette = index(e, "replace_palette");
      if (*where.replacePalette >= m.palettes.size()) throw Refused{"no palette to replace"};
    }
    if (!importObjectPng(m, png, where)) throw Refused{"the image was not taken"};
    return;
  }
  if (op == "set_button") {
    const std::size_t p = index(e, "page"), g = index(e, "bog"), b = index(e, "button");
    const std::size_t sounds = e.contains("sound_count") ? index(e, "sound_count") : 0;
    return setFields(e, buttonFields(),
                     [&](ButtonField f, std::uint32_t v) { return setButtonField(m, p, g, b, f, v, sounds); });
  }
  if (op == "set_commands") {
    if (!e.contains("commands") || !e["commands"].is_array()) throw Refused{"\"commands\" is not a list"};
    TCommands list;
    for (const json& c : e["commands"]) list.push_back(command(c, list.size()));
    return ok(setButtonCommands(m, index(e, "page"), index(e, "bog"), index(e, "button"), list));
  }
  if (op == "import_commands") {
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
    const ProgramImport r =
        importButtonCommands(m, index(e, "page"), index(e, "bog"), index(e, "button"), text.commands, at);
    if (!r.done) throw Refused{r.refusal};
    return;
  }
  if (op == "set_default_valid_button")
    return ok(setDefaultValidButton(m, index(e, "page"), index(e, "bog"), std::uint16_t(number(e, "value"))));
  if (op == "set_page") {
    const std::size_t p = index(e, "page");
    return setFields(e, pageFields(), [&](PageField f, std::uint32_t v) { return setPageField(m, p, f, v); });
  }
  if (op == "set_composition")
    return setFields(e, compositionFields(),
                     [&](CompositionField f, std::uint32_t v) { return setCompositionField(m, f, v); });
  if (op == "insert_effect_window") return ok(insertEffectWindow(m, index(e, "page"), sequence(e)));
  if (op == "delete_effect_window")
    return ok(deleteEffectWindow(m, index(e, "page"), sequence(e), index(e, "window")));
  if (op == "insert_effect") return ok(insertEffect(m, index(e, "page"), sequence(e), index(e, "at")));
  if (op == "delete_effect") return ok(deleteEffect(m, index(e, "page"), sequence(e), index(e, "effect")));
  if (op == "insert_comp_object") {
    TCompObject c;
    c.object_id = std::uint16_t(number(e, "object"));
    c.x = std::uint16_t(e.contains("x") ? number(e, "x") : 0);
    c.y = std::uint16_t(e.contains("y") ? number(e, "y") : 0);
    c.window_id = std::uint8_t(e.contains("window") ? number(e, "window") : 0);
    return ok(insertCompObject(m, index(e, "page"), sequence(e), index(e, "effect"), c));
  }
  if (op == "delete_comp_object")
    return ok(deleteCompObject(m, index(e, "page"), sequence(e), index(e, "effect"), index(e, "index")));
  throw Refused{"unknown op"};
}

}  // namespace

bool applyMenuEdits(TMenu& m, const nlohmann::json& edits, const std::string& baseDir, std::string& error) {
  if (!edits.is_array()) {
    error = "the edits are not a JSON list";
    return false;
  }
  for (std::size_t i = 0; i < edits.size(); ++i) {
    try {
      apply(m, edits[i], baseDir);
    } catch (const Refused& r) {
      const std::string op = edits[i].is_object() && edits[i].contains("op") && edits[i]["op"].is_string()
                                 ? edits[i]["op"].get<std::string>()
                                 : "?";
      error = "edit " + std::to_string(i) + " (" + op + "): " + r.why;
      return false;
    }
  }
  return true;
}

}  // namespace mirdal::cli
