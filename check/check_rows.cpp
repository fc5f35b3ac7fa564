#include "check/check_rows.h"

#include "check/rules.h"

namespace mirdal {

const std::vector<std::string>& severityFilterItems() {
  static const std::vector<std::string> items = {"All", "Errors and warnings", "Errors"};
  return items;
}

bool shown(Severity s, SeverityFilter f) {
  switch (f) {
    case SeverityFilter::All: return true;
    case SeverityFilter::ErrorsAndWarnings: return s != Severity::Note;
    case SeverityFilter::Errors: return s == Severity::Error;
  }
  return true;
}

std::array<std::string, 4> findingRow(const Finding& f) {
  return {std::string(severityText(f.severity)), std::string(f.rule), placeText(f.place), f.text};
}

std::string findingHint(const Finding& f) {
  const Rule* r = ruleById(f.rule);
  return r ? std::string(r->checks) : std::string();
}

std::array<std::string, 4> gprRow(const GprEntry& e) {
  std::string odd;
  if (e.read() && !e.written()) odd = "read, never written";
  if (e.written() && !e.read()) odd = "written, never read";
  return {"GPR" + std::to_string(e.gpr), std::to_string(e.count(Access::Write)), std::to_string(e.count(Access::Read)),
          odd};
}

std::array<std::string, 4> gprUseRow(const GprUse& u) {
  std::string how;
  if (u.form == AccessForm::Indirect) how = "indirect";
  else if (u.value) how = "= " + std::to_string(*u.value);
  return {u.access == Access::Write ? "write" : "read", placeText(u.place), u.command, how};
}

}  // namespace mirdal
