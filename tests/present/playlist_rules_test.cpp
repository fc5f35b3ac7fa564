// Which stream fields an entry type uses, which list item stands for which
// code, and the limits typed values are brought to.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "present/bdmv_rules.h"
#include "present/number_text.h"
#include "present/playlist_rules.h"

namespace mirdal {
namespace {

TEST(PlaylistRules, EntryTypesUseTheirFields) {
  const std::pair<std::uint8_t, EntryFields> cases[] = {
      {0, {}},
      {1, {.mainPid = true}},
      {2, {.subPathId = true, .subClipId = true, .subPid = true}},
      {3, {.mainPid = true, .subPathId = true}},
      {4, {}},
      {255, {}},
  };
  for (const auto& [type, fields] : cases) EXPECT_EQ(entryFields(type), fields) << int(type);
}

TEST(PlaylistRules, CodesAndListItems) {
  // code, entry-type item, SubPath-type item, mark-type item
  const std::tuple<std::uint8_t, int, int, int> cases[] = {
      {0, 0, 0, -1}, {1, 1, 1, 0}, {2, 2, 2, 1}, {3, 3, 3, -1}, {4, -1, 4, -1}, {7, -1, 7, -1}, {8, -1, -1, -1},
      {255, -1, -1, -1},
  };
  for (const auto& [code, entry, subPath, mark] : cases) {
    EXPECT_EQ(entryTypeItem(code), entry) << int(code);
    EXPECT_EQ(subPathTypeItem(code), subPath) << int(code);
    EXPECT_EQ(markTypeItem(code), mark) << int(code);
  }
  const std::tuple<int, std::optional<MarkType>, std::optional<PlaylistPlaybackType>> items[] = {
      {-1, std::nullopt, std::nullopt},
      {0, MarkType::EntryMark, PlaylistPlaybackType::Sequential},
      {1, MarkType::LinkPoint, PlaylistPlaybackType::Random},
      {2, std::nullopt, PlaylistPlaybackType::Shuffle},
      {3, std::nullopt, std::nullopt},
  };
  for (const auto& [item, mark, playback] : items) {
    EXPECT_EQ(markTypeOfItem(item), mark) << item;
    EXPECT_EQ(playbackTypeOfItem(item), playback) << item;
  }
  for (std::uint8_t type = 0; type < 9; ++type) EXPECT_EQ(subPathRepeatApplies(type), type == 2) << int(type);
}

TEST(PlaylistRules, PlaybackTypeCodesAndTheirItems) {
  // Sequential, Random and Shuffle are items 0-2; other codes show no item,
  // and each item gives its code back.
  const std::pair<std::uint8_t, int> cases[] = {{0, -1}, {1, 0}, {2, 1}, {3, 2}, {4, -1}, {255, -1}};
  for (const auto& [code, item] : cases) {
    EXPECT_EQ(playlistPlaybackTypeItem(code), item) << int(code);
    if (item >= 0) {
      EXPECT_EQ(playbackTypeOfItem(item), PlaylistPlaybackType(code)) << int(code);
    }
  }
}

TEST(PlaylistRules, TypedValuesAreBroughtToTheirLimits) {
  // typed, stream id, playback count, mark PlayItem, mark time part
  const std::tuple<std::int64_t, int, int, int, unsigned> cases[] = {
      {-5, 0, 0, 0, 0},        {0, 0, 0, 0, 0},          {255, 255, 255, 255, 255},
      {256, 255, 256, 256, 256}, {999, 255, 999, 999, 999}, {1000, 255, 1000, 999, 999},
      {9999, 255, 9999, 999, 999}, {10000, 255, 9999, 999, 999}, {std::int64_t(1) << 40, 255, 9999, 999, 999},
  };
  for (const auto& [typed, id, count, playItem, part] : cases) {
    EXPECT_EQ(clampedStreamId(typed), id) << typed;
    EXPECT_EQ(clampedPlaybackCount(typed), count) << typed;
    EXPECT_EQ(clampedMarkPlayItem(typed), playItem) << typed;
    EXPECT_EQ(clampedMarkTimePart(typed), part) << typed;
  }
}

TEST(PlaylistRules, ClipFieldsTakeThirtyTwoBitValues) {
  const std::pair<std::int64_t, bool> cases[] = {
      {-1, false}, {0, true}, {0xFFFFFFFFll, true}, {0x100000000ll, false}, {std::numeric_limits<std::int64_t>::min(), false}};
  for (const auto& [v, fits] : cases) EXPECT_EQ(fitsU32(v), fits) << v;
}

TEST(BdmvRules, ObjectAndPlaybackTypes) {
  const std::tuple<std::uint8_t, bool, int> cases[] = {{0, false, 0}, {1, true, 1}, {2, false, -1}, {3, false, -1}};
  for (const auto& [code, hdmv, item] : cases) {
    EXPECT_EQ(namesMovieObject(code), hdmv) << int(code);
    EXPECT_EQ(playbackTypeItem(code), item) << int(code);
  }
}

TEST(BdmvRules, TitleNumbers) {
  EXPECT_TRUE(titleNumberTexts(0).empty());
  EXPECT_EQ(titleNumberTexts(3), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(titleNumberTexts(999).back(), "999");
  // A followed command selects titles a disc can hold; others show the page.
  const std::pair<std::uint32_t, int> followed[] = {{0, 0}, {1, 1}, {999, 999}, {1000, 0}, {0xFFFF, 0}, {0xFFFFFFFF, 0}};
  for (const auto& [title, shown] : followed) EXPECT_EQ(followedTitle(title), shown) << title;
}

}  // namespace
}  // namespace mirdal
