// The named values name the codes the texts and readers know: a wrong
// enumerator value shows here as a wrong text or kind. The index's and the
// playlist's values are included together, as a file using both does.
#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

#include "present/bdmv_rows.h"
#include "formats/bdmv/bdmv_values.h"
#include "formats/clip/clip_values.h"
#include "formats/playlist/playlist_values.h"
#include "present/stream_texts.h"
#include "formats/common/stream_values.h"

namespace mirdal {
namespace {

TEST(Values, CodingTypesHaveTheirKindAndText) {
  using enum CodingType;
  const std::tuple<CodingType, StreamKind, std::string_view> cases[] = {
      {MPEG2, StreamKind::Video, "MPEG-2"},        {AVC, StreamKind::Video, "AVC"},
      {VC1, StreamKind::Video, "VC1"},             {LPCM, StreamKind::Audio, "LPCM"},
      {DD, StreamKind::Audio, "DD"},               {DTS, StreamKind::Audio, "DTS"},
      {DolbyLossless, StreamKind::Audio, "Dolby Lossless"}, {DDPlus, StreamKind::Audio, "DD+"},
      {DTSHD, StreamKind::Audio, "DTS-HD ex. XLL"}, {DTSHDXLL, StreamKind::Audio, "DTS-HD XLL"},
      {DDPlusSecondary, StreamKind::Audio, "DD+"}, {DTSHDSecondary, StreamKind::Audio, "DTS-HD"},
      {PG, StreamKind::Graphics, "PG"},            {IG, StreamKind::Graphics, "IG"},
      {TextSubtitle, StreamKind::Text, "Text"},
  };
  for (const auto& [type, kind, text] : cases) {
    EXPECT_EQ(codingKind(std::uint8_t(type)), kind) << text;
    EXPECT_EQ(codingTypeText(std::uint8_t(type)), text);
  }
  EXPECT_EQ(codingKind(0x00), StreamKind::Unknown);
  EXPECT_EQ(codingTypeText(0x93), "");
}

TEST(Values, PlaylistCodesHaveTheirTexts) {
  const std::tuple<std::string_view, std::uint8_t, std::string_view> cases[] = {
      {"mark", std::uint8_t(MarkType::EntryMark), "entry-mark"},
      {"mark", std::uint8_t(MarkType::LinkPoint), "link point"},
      {"playback", std::uint8_t(PlaylistPlaybackType::Sequential), "Sequential"},
      {"playback", std::uint8_t(PlaylistPlaybackType::Random), "Random"},
      {"playback", std::uint8_t(PlaylistPlaybackType::Shuffle), "Shuffle"},
      {"entry", std::uint8_t(StreamEntryType::PlayItem), "PlayItem"},
      {"entry", std::uint8_t(StreamEntryType::SubPath), "SubPath"},
      {"entry", std::uint8_t(StreamEntryType::IMPiP), "IM PIP"},
  };
  for (const auto& [what, code, text] : cases) {
    const std::string_view got = what == "mark"       ? markTypeText(code)
                                 : what == "playback" ? playbackTypeText(code)
                                                      : streamEntryTypeText(code);
    EXPECT_EQ(got, text) << what << " " << int(code);
  }
}

TEST(Values, FrameRatesAndPresentations) {
  const std::tuple<FrameRate, std::uint32_t, std::uint32_t> rates[] = {
      {FrameRate::Fps23976, 24000, 1001}, {FrameRate::Fps24, 24000, 1000}, {FrameRate::Fps25, 25000, 1000},
      {FrameRate::Fps2997, 30000, 1001},  {FrameRate::Fps50, 50000, 1000}, {FrameRate::Fps5994, 60000, 1001},
  };
  for (const auto& [rate, num, den] : rates) {
    const auto r = frameRateRatio(std::uint8_t(rate));
    ASSERT_TRUE(r) << int(rate);
    EXPECT_EQ(r->num, num);
    EXPECT_EQ(r->den, den);
  }
  EXPECT_FALSE(frameRateRatio(std::uint8_t(FrameRate::None)));
  EXPECT_FALSE(frameRateRatio(5));
  EXPECT_EQ(presentationTypeHint(std::uint8_t(AudioPresentation::Mono)), "single mono channel");
  EXPECT_EQ(presentationTypeHint(std::uint8_t(AudioPresentation::MultiChannel)), "multi-channel");
  EXPECT_EQ(presentationTypeHint(std::uint8_t(AudioPresentation::None)), "");
}

TEST(Values, IndexPlaybackTypeIsNotThePlaylists) {
  // Both enums stand side by side; the index's is the list of its choice.
  EXPECT_EQ(kPlaybackTypeValues[1], TitlePlaybackType::Interactive);
  EXPECT_EQ(std::uint8_t(PlaylistPlaybackType::Sequential), 1);
  EXPECT_EQ(std::uint8_t(ApplicationType::SubTextSubtitle), 6);
  EXPECT_EQ(std::uint8_t(AspectRatio::r4_3), 2);
}

}  // namespace
}  // namespace mirdal
