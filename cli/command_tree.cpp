#include "cli/command_tree.h"

#include <algorithm>

namespace mirdal::cli {

namespace {

// "TEXT:{normal,selected,activated}" -> normal, selected, activated.
std::vector<std::string> choicesOf(const std::string& typeName) {
  std::vector<std::string> out;
  const std::size_t open = typeName.find(":{");
  const std::size_t close = typeName.find('}', open);
  if (open == std::string::npos || close == std::string::npos) return out;
  std::string item;
  for (std::size_t i = open + 2; i <= close; ++i) {
    if (typeName[i] == ',' || typeName[i] == '}') {
      if (!item.empty()) out.push_back(item);
      item.clear();
    } else {
      item += typeName[i];
    }
  }
  return out;
}

bool isNumberType(const std::string& typeName) {
  const std::string head = typeName.substr(0, typeName.find(':'));
  return head == "INT" || head == "UINT" || head == "FLOAT" || head == "NUMBER";
}

ArgumentInfo argumentOf(const CLI::Option& o) {
  ArgumentInfo a;
  if (o.get_positional()) {
    a.names.push_back(o.get_name(true));
  } else {
    for (const std::string& s : o.get_snames()) a.names.push_back("-" + s);
    for (const std::string& l : o.get_lnames()) a.names.push_back("--" + l);
  }
  if (o.get_type_size_max() > 0) a.value = o.get_type_name();
  a.text = o.get_description();
  a.choices = choicesOf(a.value);
  a.required = o.get_required();
  a.many = o.get_items_expected_max() > 1;
  a.numeric = isNumberType(a.value);
  return a;
}

void collect(const CLI::App& app, std::vector<std::string> path, std::vector<CommandInfo>& out) {
  CommandInfo c;
  c.path = path;
  c.description = app.get_description();
  for (const CLI::Option* o : app.get_options()) {
    if (o == app.get_help_ptr() || o->get_group().empty()) continue;  // help: every command; "": hidden
    (o->get_positional() ? c.positionals : c.options).push_back(argumentOf(*o));
  }
  std::vector<const CLI::App*> subs = app.get_subcommands([](const CLI::App*) { return true; });
  std::sort(subs.begin(), subs.end(),
            [](const CLI::App* a, const CLI::App* b) { return a->get_name() < b->get_name(); });
  for (const CLI::App* s : subs) c.subcommands.push_back(s->get_name());
  out.push_back(std::move(c));
  for (const CLI::App* s : subs) {
    std::vector<std::string> sub = path;
    sub.push_back(s->get_name());
    collect(*s, sub, out);
  }
}

}  // namespace

std::string CommandInfo::pathText() const {
  std::string s;
  for (const std::string& p : path) s += (s.empty() ? "" : " ") + p;
  return s;
}

std::vector<CommandInfo> commandTree(const CLI::App& app) {
  std::vector<CommandInfo> out;
  collect(app, {}, out);
  return out;
}

}  // namespace mirdal::cli
