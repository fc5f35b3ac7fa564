#include "cli/completion_script.h"

#include <string_view>

#include "cli/command_tree.h"

namespace mirdal::cli {

namespace {

// What a text argument completes as: "files" (any file), "files:mpls|MPL"
// (folders and files with those endings), "dirs", "words:a b c" or "none"
// (typed by hand: numbers, command lines, names). Numbers and the values of
// a choice list need no row; their kind follows from the option itself.
// A key is an argument's name (a positional's, or an option's long name),
// optionally behind the command it belongs to ("render/menu"); the longest
// command that matches wins.
struct KindRule {
  std::string_view key;
  std::string_view kind;
};

constexpr KindRule kKinds[] = {
    {"playlist", "files:mpls|MPL"},
    {"menu", "files:mnu"},
    {"render/menu", "files:mnu|m2ts|MTS"},
    {"play/menu", "files:mnu|m2ts|MTS"},
    {"m2ts", "files:m2ts|MTS"},
    {"folder", "dirs"},
    {"disc", "dirs"},
    {"file", "files"},
    {"program/file", "files:bdmv|BDM"},
    {"run/file", "files:bdmv|BDM"},
    {"sound/file", "files:bdmv"},
    {"chapters", "files"},
    {"list", "files"},
    {"edits", "files:json"},
    {"png", "files:png"},
    {"wav", "files:wav"},
    {"--output", "files"},
    {"--background", "files:png"},
    {"--format", "words:pts frame time"},
    {"--keys", "words:up down left right select popup"},
    {"play-disc/--keys", "words:menu popup up down left right enter end chapter+ chapter- wait:1 title:1"},
    {"--menu", "none"},
    {"--overlays", "words:ids objects frames windows"},
    {"--min-severity", "words:note warning error"},
    {"--menu", "files:mnu"},
    {"--rule", "none"},
    {"object", "none"},
    {"id", "none"},
    {"entry", "none"},
    {"pid", "none"},
    {"--pid", "none"},
    {"opcode", "none"},
    {"dst", "none"},
    {"src", "none"},
    {"line", "none"},
    {"--select", "none"},
    {"--size", "none"},
    {"--set", "none"},
    {"--country", "none"},
    {"--palette", "none"},
    {"--replace-object", "none"},
    {"--replace-palette", "none"},
};

std::string kindOf(const CommandInfo& c, const ArgumentInfo& a, std::vector<std::string>& unknown) {
  if (!a.choices.empty()) {
    std::string words;
    for (const std::string& w : a.choices) words += (words.empty() ? "" : " ") + w;
    return "words:" + words;
  }
  if (a.numeric) return "none";
  const std::string& name = a.names.back();
  // "sound export" tries "sound export/file", then "sound/file", then "file".
  for (std::size_t depth = c.path.size() + 1; depth-- > 0;) {
    std::string key;
    for (std::size_t i = 0; i < depth; ++i) key += (i ? " " : "") + c.path[i];
    key += (depth ? "/" : "") + name;
    for (const KindRule& r : kKinds)
      if (r.key == key) return std::string(r.kind);
  }
  unknown.push_back(c.pathText() + "/" + name);
  return "files";
}

std::string joined(const std::vector<std::string>& words) {
  std::string s;
  for (const std::string& w : words) s += (s.empty() ? "" : " ") + w;
  return s;
}

// A shell function that prints, for the command path in $1, one of the
// lists below; commands without one print nothing.
std::string lookup(const char* name, const std::vector<std::pair<std::string, std::string>>& rows) {
  std::string t = std::string(name) + "() {\n  case $1 in\n";
  for (const auto& [key, value] : rows)
    if (!value.empty()) t += "    '" + key + "') echo '" + value + "' ;;\n";
  return t + "  esac\n}\n";
}

constexpr const char* kDriver = R"bash(
# The command path typed so far (subcommands only), how many positional
# arguments follow it, and whether the word before the cursor is an option
# that takes a value.
_mirdal_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} cmd="" npos=0 want="" i w
  for ((i = 1; i < COMP_CWORD; i++)); do
    w=${COMP_WORDS[i]}
    if [[ -n $want ]]; then want=""; continue; fi
    if [[ $w == -* ]]; then
      [[ $w != *=* && " $(_mirdal_cli_valued "$cmd") " == *" $w "* ]] && want=$w
      continue
    fi
    if ((npos == 0)) && [[ " $(_mirdal_cli_subcommands "$cmd") " == *" $w "* ]]; then
      cmd=${cmd:+$cmd }$w
    else
      npos=$((npos + 1))
    fi
  done
  COMPREPLY=()
  if [[ -n $want ]]; then
    _mirdal_cli_complete "$(_mirdal_cli_kind "$cmd|$want")"
    return
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "-h --help $(_mirdal_cli_options "$cmd")" -- "$cur"))
    return
  fi
  local kind
  kind=$(_mirdal_cli_kind "$cmd|$npos")
  [[ -z $kind ]] && kind=$(_mirdal_cli_kind "$cmd|*")
  _mirdal_cli_complete "$kind"
  if ((npos == 0)); then
    COMPREPLY+=($(compgen -W "$(_mirdal_cli_subcommands "$cmd")" -- "$cur"))
  fi
}

# Completes the word at the cursor as the kind says.
_mirdal_cli_complete() {
  local cur=${COMP_WORDS[COMP_CWORD]} kind=$1 line
  case $kind in
    words:*)
      COMPREPLY+=($(compgen -W "${kind#words:}" -- "$cur"))
      ;;
    dirs | files | files:*)
      compopt -o filenames 2>/dev/null
      local ext=${kind#files:} restore
      restore=$(shopt -p extglob)
      shopt -s extglob
      while IFS= read -r line; do COMPREPLY+=("$line"); done < <(
        case $kind in
          dirs) compgen -d -- "$cur" ;;
          files) compgen -f -- "$cur" ;;
          *) compgen -d -- "$cur"; compgen -f -X "!*.@($ext)" -- "$cur" ;;
        esac)
      eval "$restore"
      ;;
  esac
}

complete -F _mirdal_cli mirdal-cli
)bash";

}  // namespace

std::string bashCompletion(const CLI::App& app, std::vector<std::string>& unknown) {
  const std::vector<CommandInfo> tree = commandTree(app);
  std::vector<std::pair<std::string, std::string>> subs, options, valued, kinds;
  for (const CommandInfo& c : tree) {
    const std::string path = c.pathText();
    subs.emplace_back(path, joined(c.subcommands));
    std::vector<std::string> names, withValue;
    for (const ArgumentInfo& o : c.options) {
      names.insert(names.end(), o.names.begin(), o.names.end());
      if (o.value.empty()) continue;
      withValue.insert(withValue.end(), o.names.begin(), o.names.end());
      const std::string kind = kindOf(c, o, unknown);
      for (const std::string& n : o.names) kinds.emplace_back(path + "|" + n, kind);
    }
    options.emplace_back(path, joined(names));
    valued.emplace_back(path, joined(withValue));
    for (std::size_t i = 0; i < c.positionals.size(); ++i) {
      const ArgumentInfo& p = c.positionals[i];
      // A positional that takes any number of words takes every word after it.
      kinds.emplace_back(path + "|" + (p.many ? std::string("*") : std::to_string(i)), kindOf(c, p, unknown));
    }
  }
  std::string t =
      "# bash completion for mirdal-cli. Written by `mirdal-cli --generate bash` from the\n"
      "# command tree that parses the command line; do not edit.\n\n";
  t += lookup("_mirdal_cli_subcommands", subs);
  t += lookup("_mirdal_cli_options", options);
  t += lookup("_mirdal_cli_valued", valued);
  t += lookup("_mirdal_cli_kind", kinds);
  return t + kDriver;
}

}  // namespace mirdal::cli
