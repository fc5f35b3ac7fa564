#include "core/markup.h"

#include <gtest/gtest.h>

namespace mirdal {
namespace {

struct Span {
  std::string text;
  bool bold;
  LogColor color;
};

// Cuts a paragraph into its runs' texts for easy comparison.
std::vector<Span> spans(const LogParagraph& p) {
  std::vector<Span> out;
  for (std::size_t i = 0; i < p.runs.size(); ++i) {
    const std::size_t end = i + 1 < p.runs.size() ? p.runs[i + 1].start : p.text.size();
    out.push_back({p.text.substr(p.runs[i].start, end - p.runs[i].start), p.runs[i].bold, p.runs[i].color});
  }
  return out;
}

struct MarkupCase {
  const char* msg;
  const char* text;
  std::vector<Span> runs;
};

constexpr auto W = LogColor::WindowText;
constexpr auto R = LogColor::Red;
constexpr auto B = LogColor::Blue;

class MarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupTest, RendersTextAndRuns) {
  const MarkupCase& c = GetParam();
  const LogParagraph p = parseMarkup(c.msg);
  EXPECT_EQ(p.text, c.text);
  const auto got = spans(p);
  ASSERT_EQ(got.size(), c.runs.size()) << c.msg;
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].text, c.runs[i].text) << c.msg << " run " << i;
    EXPECT_EQ(got[i].bold, c.runs[i].bold) << c.msg << " run " << i;
    EXPECT_EQ(got[i].color, c.runs[i].color) << c.msg << " run " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MarkupTest,
    ::testing::Values(
        MarkupCase{"", " ", {{" ", false, W}}},
        MarkupCase{"[b]A[/b]B", " AB", {{" ", false, W}, {"A", true, W}, {"B", false, W}}},
        // Consecutive tags act on one run.
        MarkupCase{"[b][re]X", " X", {{" ", false, W}, {"X", true, R}}},
        MarkupCase{"[b]1[/b][re]2", " 12", {{" ", false, W}, {"1", true, W}, {"2", false, R}}},
        MarkupCase{"  Found [b]12[/b] playlists.", "   Found 12 playlists.",
                   {{"   Found ", false, W}, {"12", true, W}, {" playlists.", false, W}}},
        MarkupCase{"[bl]PLAYLIST[/bl] folder: [b]OK[/b]", " PLAYLIST folder: OK",
                   {{" ", false, W}, {"PLAYLIST", false, B}, {" folder: ", false, W}, {"OK", true, W}}},
        MarkupCase{"[re]ERROR:[/re] [b]Cannot create backup file.[/b]",
                   " ERROR: Cannot create backup file.",
                   {{" ", false, W}, {"ERROR:", false, R}, {" ", false, W},
                    {"Cannot create backup file.", true, W}}},
        // Unknown bracketed text is removed and changes nothing.
        MarkupCase{"Movie [2009].m2ts", " Movie .m2ts", {{" Movie ", false, W}, {".m2ts", false, W}}},
        // Texts the scan cannot pair stay literal.
        MarkupCase{"a]b", " a]b", {{" a]b", false, W}}},
        MarkupCase{"a[b", " a[b", {{" a[b", false, W}}},
        MarkupCase{"x][b]y[", " x]y[", {{" x]", false, W}, {"y[", true, W}}},
        MarkupCase{"[b]", " ", {{" ", false, W}}}));

TEST(Markup, StyleFlagsAndColoursAreIndependent) {
  const LogParagraph p = parseMarkup("[i][u][gr]a[/u]b[/gr][/i]c");
  ASSERT_EQ(p.runs.size(), 4u);
  EXPECT_TRUE(p.runs[1].italic);
  EXPECT_TRUE(p.runs[1].underline);
  EXPECT_EQ(p.runs[1].color, LogColor::Green);
  EXPECT_FALSE(p.runs[2].underline);
  EXPECT_EQ(p.runs[2].color, LogColor::Green);
  EXPECT_FALSE(p.runs[3].italic);
  EXPECT_EQ(p.runs[3].color, LogColor::WindowText);
}

TEST(Markup, TagNamesAreCaseSensitive) {
  const LogParagraph p = parseMarkup("[B]x");
  EXPECT_EQ(p.text, " x");
  for (const auto& r : p.runs) EXPECT_FALSE(r.bold);
}

TEST(StripTags, RemovesEveryBracketPair) {
  EXPECT_EQ(stripTags("[b]Check failed.[/b]"), "Check failed.");
  EXPECT_EQ(stripTags("a [2009] b"), "a  b");
  EXPECT_EQ(stripTags("a]b[c"), "a]b[c");
  EXPECT_EQ(stripTags(""), "");
}

}  // namespace
}  // namespace mirdal
