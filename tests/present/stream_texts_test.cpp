// The shared code tables: the texts the stream grids show, the kind that
// decides which attribute bytes a coding type has, and the language list.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "present/playlist_rules.h"
#include "present/stream_texts.h"

namespace mirdal {
namespace {

struct CodeCase {
  std::uint8_t code;
  StreamKind kind;
  const char* text;
};

TEST(StreamCodes, CodingTypesTellTheirKindAndText) {
  const CodeCase cases[] = {
      {0x02, StreamKind::Video, "MPEG-2"},     {0x1B, StreamKind::Video, "AVC"},
      {0xEA, StreamKind::Video, "VC1"},        {0x80, StreamKind::Audio, "LPCM"},
      {0x86, StreamKind::Audio, "DTS-HD XLL"}, {0xA1, StreamKind::Audio, "DD+"},
      {0xA2, StreamKind::Audio, "DTS-HD"},     {0x90, StreamKind::Graphics, "PG"},
      {0x91, StreamKind::Graphics, "IG"},      {0x92, StreamKind::Text, "Text"},
      {0x24, StreamKind::Video, "HEVC"},       {0x87, StreamKind::Unknown, ""},
      {0x00, StreamKind::Unknown, ""},         {0xFF, StreamKind::Unknown, ""},
  };
  for (const CodeCase& c : cases) {
    SCOPED_TRACE(int(c.code));
    EXPECT_EQ(codingKind(c.code), c.kind);
    EXPECT_EQ(codingTypeText(c.code), c.text);
  }
}

struct TextCase {
  std::string_view (*fn)(std::uint8_t);
  std::uint8_t value;
  const char* text;
};

TEST(StreamCodes, SmallCodesHaveTextsAndReservedRows) {
  const TextCase cases[] = {
      {videoFormatText, 6, "1080p"},          {videoFormatText, 7, "576p"},
      {videoFormatText, 8, "2160p"},          {videoFormatText, 9, "res."},
      {videoFormatText, 255, "res."},
      {frameRateText, 1, "23.976"},           {frameRateText, 5, "-"},
      {frameRateText, 15, "res."},            {presentationTypeText, 12, "St.+M-ch."},
      {presentationTypeText, 13, "res."},     {samplingFrequencyText, 14, "c:48, e:192 kHz"},
      {samplingFrequencyText, 15, "res."},    {subPathTypeText, 7, "IM Sync"},
      {subPathTypeText, 8, ""},               {markTypeText, 2, "link point"},
      {markTypeText, 3, ""},                  {playbackTypeText, 3, "Shuffle"},
      {streamEntryTypeText, 3, "IM PIP"},     {streamEntryTypeText, 4, ""},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.value));
    EXPECT_EQ(c.fn(c.value), c.text);
  }
}

// Every list item shows the text of the code its item rule gives it, for
// every code of the byte; the lists hold exactly the codes with an item.
TEST(StreamCodes, ChoiceItemsShowTheTextOfTheirCode) {
  struct ListCase {
    const char* name;
    std::vector<std::string> items;
    int (*itemOf)(std::uint8_t);
    std::string_view (*text)(std::uint8_t);
    std::size_t size;
  };
  const auto same = [](std::uint8_t code) { return code < 16 ? int(code) : -1; };
  const ListCase lists[] = {
      {"entry types", entryTypeItems(), entryTypeItem, streamEntryTypeText, 4},
      {"SubPath types", subPathTypeItems(), subPathTypeItem, subPathTypeText, 8},
      {"mark types", markTypeItems(), markTypeItem, markTypeText, 2},
      {"playback types", playlistPlaybackTypeItems(), playlistPlaybackTypeItem, playbackTypeText, 3},
      {"video formats", videoFormatItems(), same, videoFormatText, 9},
      {"frame rates", frameRateItems(), same, frameRateText, 8},
      {"presentation types", presentationTypeItems(), same, presentationTypeText, 13},
      {"sampling frequencies", samplingFrequencyItems(), same, samplingFrequencyText, 15},
  };
  for (const ListCase& l : lists) {
    SCOPED_TRACE(l.name);
    EXPECT_EQ(l.items.size(), l.size);
    std::size_t shown = 0;
    for (int code = 0; code < 256; ++code) {
      const int item = l.itemOf(std::uint8_t(code));
      if (item < 0 || std::size_t(item) >= l.items.size()) continue;
      ++shown;
      if (l.items[std::size_t(item)] != "---") {
        EXPECT_EQ(l.items[std::size_t(item)], l.text(std::uint8_t(code))) << code;
      }
    }
    EXPECT_EQ(shown, l.size);
  }
  EXPECT_EQ(entryTypeItems().front(), "---");
}

TEST(StreamCodes, FourBitItemsNameOrNumberEveryValue) {
  const std::vector<std::string> formats = fourBitItems(videoFormatText);
  const std::vector<std::string> rates = fourBitItems(frameRateText);
  ASSERT_EQ(formats.size(), 16u);
  ASSERT_EQ(rates.size(), 16u);
  // code, video format item, frame rate item
  const std::tuple<int, const char*, const char*> cases[] = {
      {0, "-", "-"},      {1, "480i", "23.976"}, {5, "720p", "5"},  {6, "1080p", "50"},
      {8, "2160p", "8"}, {9, "9", "9"},          {15, "15", "15"},
  };
  for (const auto& [code, format, rate] : cases) {
    EXPECT_EQ(formats[std::size_t(code)], format) << code;
    EXPECT_EQ(rates[std::size_t(code)], rate) << code;
  }
}

TEST(StreamCodes, FrameRatesAsRatios) {
  EXPECT_EQ(frameRateRatio(1)->num, 24000u);
  EXPECT_EQ(frameRateRatio(1)->den, 1001u);
  EXPECT_EQ(frameRateRatio(7)->num, 60000u);
  for (std::uint8_t bad : {0, 5, 8, 15}) EXPECT_FALSE(frameRateRatio(bad)) << int(bad);
}

TEST(StreamCodes, ChoiceIndexesMapBothWays) {
  for (std::size_t i = 0; i < kAudioCodingChoices.size(); ++i)
    EXPECT_EQ(audioCodingIndex(kAudioCodingChoices[i]), int(i));
  EXPECT_EQ(audioCodingIndex(0x90), -1);
  EXPECT_EQ(videoCodingIndex(0xEA), 2);
  EXPECT_EQ(videoCodingIndex(0x81), -1);
}

TEST(StreamCodes, UserOperationBitsCountFromTheTop) {
  EXPECT_EQ(uoMaskText(31), "UO31: reserved for menu call");
  EXPECT_EQ(uoMaskText(8), "UO8:Angle number change");
  EXPECT_EQ(uoMaskText(0), "UO0: Secondary audio stream number change");
  EXPECT_EQ(uoMaskText(32), "");
}

TEST(StreamCodes, LanguageListOrder) {
  const auto& l = languageCodes();
  EXPECT_EQ(l.front(), "eng");
  EXPECT_EQ(l[1], "aar");
  EXPECT_EQ(l.back(), "zun");
  EXPECT_EQ(languageIndex("eng"), 0);  // the first of the two
  EXPECT_LT(languageIndex("nzi"), languageIndex("nya"));
  EXPECT_EQ(languageIndex("xyz"), -1);
  // Alphabetical after the leading entry, apart from the one known swap.
  for (std::size_t i = 2; i < l.size(); ++i) {
    if (l[i - 1] == "nzi" || l[i] == "nzi") continue;
    EXPECT_LT(l[i - 1], l[i]) << i;
  }
}

}  // namespace
}  // namespace mirdal
