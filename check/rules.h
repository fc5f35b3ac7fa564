// The rules of the disc check: one table, one row per rule, in the order the
// check runs them.
#pragma once

#include <string_view>
#include <vector>

#include "check/finding.h"

namespace mirdal {

class CheckContext;
class FindingSink;

struct Rule {
  std::string_view id;        // "MO-JUMP-TITLE"
  Severity severity;
  std::string_view checks;    // what the rule checks, one sentence
  std::string_view example;   // a finding as lint prints it
  void (*run)(const CheckContext&, FindingSink&);
};

const std::vector<Rule>& rules();
const Rule* ruleById(std::string_view id);

}  // namespace mirdal
