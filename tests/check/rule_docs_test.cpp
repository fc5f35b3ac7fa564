// docs/lint.md lists every rule of the table, with its severity and its
// example line as lint prints it, and no rule the table does not have.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "check/rules.h"

namespace mirdal {
namespace {

TEST(RuleDocs, ListEveryRuleWithItsExample) {
  std::ifstream in(std::string(MIRDAL_SOURCE_DIR) + "/docs/lint.md");
  const std::string doc{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(doc.empty());
  std::set<std::string> documented;
  const std::regex heading(R"(\n### ([A-Z0-9-]+) \((error|warning|note)\)\n)");
  for (auto it = std::sregex_iterator(doc.begin(), doc.end(), heading); it != std::sregex_iterator(); ++it) {
    const std::string id = (*it)[1];
    documented.insert(id);
    const Rule* r = ruleById(id);
    ASSERT_NE(r, nullptr) << "docs/lint.md names " << id << ", which the table does not have";
    EXPECT_EQ((*it)[2], std::string(severityText(r->severity))) << id;
    // The rule's example sits in the section under its heading.
    const std::size_t start = std::size_t(it->position()) + std::size_t(it->length());
    const std::size_t end = doc.find("\n### ", start);
    EXPECT_NE(doc.substr(start, end - start).find("\n" + std::string(r->example) + "\n"), std::string::npos)
        << id << ": example missing";
  }
  for (const Rule& r : rules()) EXPECT_TRUE(documented.count(std::string(r.id))) << r.id << " is not in docs/lint.md";
}

}  // namespace
}  // namespace mirdal
