#include "check/check_disc.h"

#include <algorithm>

#include "check/context.h"
#include "check/rules.h"

namespace mirdal {

namespace {

bool selected(const Rule& r, const CheckOptions& o) {
  if (r.severity < o.minimum) return false;
  return o.rules.empty() || std::find(o.rules.begin(), o.rules.end(), r.id) != o.rules.end();
}

std::size_t ruleOrder(std::string_view id) {
  const auto& t = rules();
  for (std::size_t i = 0; i < t.size(); ++i)
    if (t[i].id == id) return i;
  return t.size();
}

}  // namespace

std::size_t CheckReport::count(Severity s) const {
  return std::size_t(std::count_if(findings.begin(), findings.end(), [s](const Finding& f) { return f.severity == s; }));
}

CheckReport checkDisc(const DiscFiles& files, const CheckOptions& options) {
  CheckContext ctx(files);
  ctx.graph = buildNavGraph(ctx);
  ctx.gprs = buildGprMap(ctx.programs());
  CheckReport report;
  for (const Rule& r : rules()) {
    if (!selected(r, options)) continue;
    FindingSink sink(r, report.findings);
    r.run(ctx, sink);
  }
  // The file order; within a file, places in their numbers' order.
  const auto key = [](const Finding& f) {
    std::vector<std::uint32_t> steps;
    for (const PlaceStep& s : f.place.steps) {
      steps.push_back(std::uint32_t(s.part));
      steps.push_back(s.part == PlacePart::Stream ? std::uint32_t(s.category) : 0);
      steps.push_back(s.number);
    }
    return std::make_tuple(int(f.place.file), f.place.name, steps, ruleOrder(f.rule));
  };
  std::stable_sort(report.findings.begin(), report.findings.end(),
                   [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
  report.gprs = std::move(ctx.gprs);
  report.graph = std::move(ctx.graph);
  return report;
}

std::string summaryLine(const CheckReport& r) {
  const std::size_t e = r.count(Severity::Error), w = r.count(Severity::Warning), n = r.count(Severity::Note);
  if (e + w + n == 0) return "No findings.";
  std::string s;
  const auto add = [&](std::size_t k, const char* one, const char* many) {
    if (!k) return;
    if (!s.empty()) s += ", ";
    s += counted(k, one, many);
  };
  add(e, "error", "errors");
  add(w, "warning", "warnings");
  add(n, "note", "notes");
  return s;
}

std::string readSummaryLine(const CheckReport& r) {
  const std::size_t e = r.count(Severity::Error), w = r.count(Severity::Warning);
  if (e + w == 0) return "Check disc: no errors or warnings";
  std::string s;
  if (e) s = counted(e, "error", "errors");
  if (w) s += (s.empty() ? "" : ", ") + counted(w, "warning", "warnings");
  return s + ": see Check disc";
}

}  // namespace mirdal
