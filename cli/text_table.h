// Plain-text tables for mirdal-cli: one line per row, columns left-aligned
// and separated by two spaces, trailing blanks cut.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/display_text.h"

namespace mirdal::cli {

class TextTable {
 public:
  explicit TextTable(std::vector<std::string> headers) : headers_(std::move(headers)) {}
  template <std::size_t N>
  explicit TextTable(const std::array<GridColumn, N>& columns) {
    for (const GridColumn& c : columns) headers_.push_back(c.header);
  }
  template <std::size_t N>
  explicit TextTable(const std::array<const char*, N>& headers) : headers_(headers.begin(), headers.end()) {}

  template <std::size_t N>
  void add(const std::array<std::string, N>& row) {
    rows_.emplace_back(row.begin(), row.end());
  }
  void add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

  // The header line and the rows, each ending in a newline; prefix is put
  // in front of every line.
  std::string text(const std::string& prefix = "") const;

 private:
  std::vector<std::string> headers_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace mirdal::cli
