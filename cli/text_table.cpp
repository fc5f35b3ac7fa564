#include "cli/text_table.h"

#include <algorithm>

namespace mirdal::cli {

std::string TextTable::text(const std::string& prefix) const {
  std::vector<std::size_t> width(headers_.size(), 0);
  auto measure = [&](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size() && i < width.size(); ++i) width[i] = std::max(width[i], cells[i].size());
  };
  measure(headers_);
  for (const auto& r : rows_) measure(r);

  std::string out;
  auto line = [&](const std::vector<std::string>& cells) {
    std::string l = prefix;
    for (std::size_t i = 0; i < cells.size() && i < width.size(); ++i) {
      if (i > 0) l += "  ";
      l += cells[i];
      l.append(width[i] - cells[i].size(), ' ');
    }
    while (!l.empty() && l.back() == ' ') l.pop_back();
    out += l + "\n";
  };
  line(headers_);
  for (const auto& r : rows_) line(r);
  return out;
}

}  // namespace mirdal::cli
