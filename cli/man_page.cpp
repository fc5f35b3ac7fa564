#include "cli/man_page.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "cli/command_tree.h"
#include "cli/man_examples.h"
#include "core/gui_usage.h"
#include "core/version.h"

namespace mirdal::cli {

namespace {

// Text as man(7) reads it: a backslash is "\e", a line never starts with a
// control character, characters outside ASCII are named by their code point,
// and in code (option names, commands) every "-" is a minus sign.
std::string roff(std::string_view s, bool code = false) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-' && code) {
      out += "\\-";
    } else if (c == '\n') {
      out += '\n';
    } else if (c < 0x80) {
      if ((c == '.' || c == '\'') && (out.empty() || out.back() == '\n')) out += "\\&";
      out += char(c);
    } else {
      // One UTF-8 sequence as \[uXXXX].
      const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
      std::uint32_t cp = c & (0x3F >> extra);
      for (int k = 0; k < extra && i + 1 < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[++i]) & 0x3F);
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\[u%04X]", cp);
      out += buf;
    }
  }
  return out;
}

std::string sentence(std::string s) {
  if (!s.empty() && s.back() != '.' && s.back() != ':') s += '.';
  return s;
}

std::string header(const char* name) {
  return ".TH " + std::string(name) + " 1 " + kReleaseDate + " \"Mirdal " + kVersion + "\" \"User Commands\"\n";
}

// "TEXT:{a,b}" shows its choices, "FLOAT:FLOAT in [0 - 86400]" its type
// and, after the description, its range.
std::string valueText(const ArgumentInfo& a) {
  if (a.value.empty()) return "";
  if (!a.choices.empty()) {
    std::string t;
    for (const std::string& c : a.choices) t += (t.empty() ? "\\fI" : "\\fR|\\fI") + roff(c, true);
    return t + "\\fR";
  }
  return "\\fI" + roff(a.value.substr(0, a.value.find(':')), true) + "\\fR";
}

std::string valueNote(const ArgumentInfo& a) {
  const std::size_t colon = a.value.find(':');
  if (colon == std::string::npos || !a.choices.empty()) return "";
  return " (" + a.value.substr(colon + 1) + ")";
}

std::string optionItem(const ArgumentInfo& a) {
  std::string tag;
  for (const std::string& n : a.names) tag += (tag.empty() ? "" : ", ") + ("\\fB" + roff(n, true) + "\\fR");
  const std::string value = valueText(a);
  if (!value.empty()) tag += " " + value;
  if (a.many) tag += " ...";
  std::string text = sentence(a.text) + valueNote(a);
  if (a.required) text += " Required.";
  return ".TP\n" + tag + "\n" + roff(text) + "\n";
}

std::string positionalItem(const ArgumentInfo& a) {
  std::string text = sentence(a.text);
  if (a.many) text += " Any number of them.";
  if (!a.required) text += " Optional.";
  return ".TP\n\\fI" + roff(a.names.front(), true) + "\\fR" + (a.many ? " ..." : "") + "\n" + roff(text) + "\n";
}

std::string usageLine(const CommandInfo& c) {
  std::string u = ".B mirdal\\-cli " + roff(c.pathText(), true) + "\n";
  std::string rest;
  if (!c.options.empty()) rest += "[\\fIoptions\\fR]";
  for (const ArgumentInfo& p : c.positionals) {
    std::string n = "\\fI" + roff(p.names.front(), true) + "\\fR" + (p.many ? " ..." : "");
    rest += (rest.empty() ? "" : " ") + (p.required ? n : "[" + n + "]");
  }
  if (!c.subcommands.empty() && c.positionals.empty()) rest += (rest.empty() ? "" : " ") + std::string("\\fIsubcommand\\fR ...");
  return u + (rest.empty() ? "" : rest + "\n");
}

std::string commandSection(const CommandInfo& c) {
  std::string t = ".SS " + roff(c.pathText(), true) + "\n" + roff(sentence(c.description)) + "\n.PP\n" + usageLine(c);
  if (!c.subcommands.empty()) {
    std::string list;
    for (const std::string& s : c.subcommands) list += (list.empty() ? "" : ", ") + ("\\fB" + roff(s, true) + "\\fR");
    t += ".PP\nSubcommands: " + list + " (below).\n";
  }
  for (const ArgumentInfo& p : c.positionals) t += positionalItem(p);
  for (const ArgumentInfo& o : c.options) t += optionItem(o);
  return t;
}

std::string examples() {
  std::string t = ".SH EXAMPLES\n"
                  "In these examples \\fIDisc\\fR is a disc folder, the folder that holds \\fIBDMV\\fR; "
                  "its \\fImenu/sample.mnu\\fR is a menu file.\n";
  for (const ManExample& e : kManExamples) {
    t += ".PP\n" + roff(e.text) + "\n.PP\n.RS\n.EX\n" + roff(e.commands, true) + "\n.EE\n.RE\n";
  }
  return t;
}

}  // namespace

std::string cliManPage(const CLI::App& app) {
  const std::vector<CommandInfo> tree = commandTree(app);
  std::string t = ".\\\" Written by mirdal-cli --generate man from its own command tree; do not edit.\n";
  t += header("MIRDAL-CLI");
  t += ".SH NAME\nmirdal\\-cli \\- check, dump, edit and script the files of a Blu\\-ray BDMV folder\n";
  t += ".SH SYNOPSIS\n.B mirdal\\-cli\n[\\fB\\-v\\fR] \\fIsubcommand\\fR [\\fIoptions\\fR] [\\fIarguments\\fR]\n"
       ".br\n.B mirdal\\-cli\n\\fIsubcommand\\fR \\fB\\-\\-help\\fR\n.br\n.B mirdal\\-cli \\-\\-version\n";
  t += ".SH DESCRIPTION\n"
       "\\fBmirdal\\-cli\\fR does from the command line what the Mirdal window, \\fBmirdal\\fR(1), does: "
       "it checks and reads a disc folder; shows index.bdmv, MovieObject.bdmv, playlists, clip information "
       "files, sound.bdmv, BD\\-J objects and menus as text or JSON and writes them back; exports chapters, "
       "streams, sounds, menu objects and palettes and imports them; runs navigation programs and menus; "
       "and builds new menus.\n"
       ".PP\n"
       "Results go to standard output; diagnostics and errors go to standard error, the log's error lines "
       "included. Messages are the window's log lines; bold and colours are printed as terminal escapes "
       "only when the output is a terminal and \\fBNO_COLOR\\fR is not set. Every \\fB\\-\\-json\\fR output "
       "is one JSON object with a \"kind\" and a \"format_version\".\n"
       ".PP\n"
       "A file read with errors (it ends early, or its reader logged an error) is never taken for a good "
       "one: \\fBdump\\fR shows what was read and exits 1, \\fBresave\\fR writes nothing unless "
       "\\fB\\-\\-force\\fR. Outputs are written beside their place and renamed over it at the end.\n";
  t += ".SH OPTIONS\n";
  t += optionItem({{"-h", "--help"}, "", "Print the help of mirdal-cli, or of the subcommand it follows, and exit"});
  for (const ArgumentInfo& o : tree.front().options) t += optionItem(o);
  t += ".SH SUBCOMMANDS\n";
  for (std::size_t i = 1; i < tree.size(); ++i) t += commandSection(tree[i]);
  t += ".SH EXIT STATUS\n"
       ".TP\n.B 0\nSuccess.\n"
       ".TP\n.B 1\nAnything wrong with the input or the work: a missing or rejected file, an object number "
       "the file does not hold, a failed check, an output that cannot be written.\n"
       ".TP\n.B 2\nBad usage: an unknown subcommand or option, a malformed number.\n";
  t += ".SH ENVIRONMENT\n.TP\n.B NO_COLOR\nWhen set, no terminal escapes for bold and colours.\n";
  t += examples();
  t += ".SH SEE ALSO\n.BR mirdal (1)\n";
  return t;
}

std::string guiManPage() {
  std::string t = ".\\\" Written by mirdal-cli --generate gui-man from core/gui_usage.h; do not edit.\n";
  t += header("MIRDAL");
  t += ".SH NAME\nmirdal \\- " + roff(kGuiSummary) + "\n";
  const std::string_view synopsis = kGuiSynopsis;
  t += ".SH SYNOPSIS\n.B mirdal\n" + roff(synopsis.substr(synopsis.find(' ') + 1), true) + "\n";
  t += ".SH DESCRIPTION\n";
  bool first = true;
  for (const char* p : kGuiDescription) {
    t += (first ? "" : ".PP\n") + roff(p) + "\n";
    first = false;
  }
  t += ".SH ARGUMENTS\n";
  for (const UsageEntry& e : kGuiArguments) t += ".TP\n\\fI" + roff(e.name, true) + "\\fR\n" + roff(e.text) + "\n";
  t += ".SH OPTIONS\n";
  for (const UsageEntry& e : kGuiOptions) t += ".TP\n\\fB" + roff(e.name, true) + "\\fR\n" + roff(e.text) + "\n";
  t += ".SH FILES\n";
  for (const UsageEntry& e : kGuiFiles) t += ".TP\n\\fI" + roff(e.name) + "\\fR\n" + roff(e.text) + "\n";
  t += ".SH SEE ALSO\n.BR mirdal\\-cli (1)\n";
  return t;
}

}  // namespace mirdal::cli
