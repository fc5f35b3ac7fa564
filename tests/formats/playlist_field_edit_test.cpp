// The single-field edits of a playlist and a clip: what each stores, and
// the values and rows each refuses, leaving the model as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "formats/clpi_edit.h"
#include "formats/mpls_edit.h"
#include "formats/playlist_field_edit.h"

namespace mirdal {
namespace {

TMPLS twoMarks() {
  TMPLS m;
  m.marks.marks = {TMark{0, 1, 0, 450000, 0xFFFF, 0}, TMark{0, 2, 1, 900000, 0xFFFF, 0}};
  m.uo_mask1 = 0x0000000F;
  m.uo_mask2 = 0;
  return m;
}

TEST(PlaylistFieldEdit, StoresAllowedValuesAndRefusesOthers) {
  struct Case {
    std::string name;
    std::function<bool(TMPLS&)> edit;
    bool accepted;
    std::function<void(TMPLS&)> expected;  // the change an accepted edit makes
  };
  const Case cases[] = {
      {"playback type", [](TMPLS& m) { return setPlaybackType(m, PlaylistPlaybackType::Shuffle); }, true,
       [](TMPLS& m) { m.playback_type = 3; }},
      {"unknown playback type", [](TMPLS& m) { return setPlaybackType(m, PlaylistPlaybackType(4)); }, false, {}},
      {"playback count", [](TMPLS& m) { return setPlaybackCount(m, 9999); }, true,
       [](TMPLS& m) { m.playback_count = 9999; }},
      {"count past 9999", [](TMPLS& m) { return setPlaybackCount(m, 10000); }, false, {}},
      {"first word bit", [](TMPLS& m) { return setUoMaskBit(m, UoWord::First, 31, true); }, true,
       [](TMPLS& m) { m.uo_mask1 = 0x8000000F; }},
      {"first word bit off", [](TMPLS& m) { return setUoMaskBit(m, UoWord::First, 0, false); }, true,
       [](TMPLS& m) { m.uo_mask1 = 0x0000000E; }},
      {"bit 32", [](TMPLS& m) { return setUoMaskBit(m, UoWord::First, 32, true); }, false, {}},
      {"second word named bit", [](TMPLS& m) { return setUoMaskBit(m, UoWord::Second, 30, true); }, true,
       [](TMPLS& m) { m.uo_mask2 = 0x40000000; }},
      {"second word other bit", [](TMPLS& m) { return setUoMaskBit(m, UoWord::Second, 29, true); }, false, {}},
      {"mark type", [](TMPLS& m) { return setMarkType(m, 0, MarkType::LinkPoint); }, true,
       [](TMPLS& m) { m.marks.marks[0].type = 2; }},
      {"unknown mark type", [](TMPLS& m) { return setMarkType(m, 0, MarkType(3)); }, false, {}},
      {"type of no mark", [](TMPLS& m) { return setMarkType(m, 2, MarkType::EntryMark); }, false, {}},
      {"mark PlayItem", [](TMPLS& m) { return setMarkPlayItem(m, 1, 999); }, true,
       [](TMPLS& m) { m.marks.marks[1].playitem_ref = 999; }},
      {"mark PlayItem past 999", [](TMPLS& m) { return setMarkPlayItem(m, 1, 1000); }, false, {}},
      {"mark time", [](TMPLS& m) { return setMarkTime(m, 1, 0xFFFFFFFF); }, true,
       [](TMPLS& m) { m.marks.marks[1].time = 0xFFFFFFFF; }},
      {"time of no mark", [](TMPLS& m) { return setMarkTime(m, 5, 1); }, false, {}},
  };
  for (const Case& c : cases) {
    TMPLS m = twoMarks();
    TMPLS want = twoMarks();
    if (c.accepted) c.expected(want);
    EXPECT_EQ(c.edit(m), c.accepted) << c.name;
    EXPECT_TRUE(m == want) << c.name;
  }
}

TEST(PlaylistFieldEdit, WordsAndFlags) {
  TMPLS m = twoMarks();
  setUoMask(m, UoWord::First, 0xFFFFFFFF);
  setUoMask(m, UoWord::Second, 0xFFFFFFFF);  // only the named bit stays
  EXPECT_EQ(m.uo_mask1, 0xFFFFFFFFu);
  EXPECT_EQ(m.uo_mask2, kUOWord2Mask);
  const std::pair<AppInfoFlag, std::uint8_t TMPLS::*> flags[] = {
      {AppInfoFlag::RandomAccess, &TMPLS::random_access_flag},
      {AppInfoFlag::AudioMix, &TMPLS::audio_mix_flag},
      {AppInfoFlag::BypassMixer, &TMPLS::bypass_mixer_flag},
  };
  for (const auto& [flag, field] : flags) {
    TMPLS f = twoMarks();
    setAppInfoFlag(f, flag, true);
    EXPECT_EQ(f.*field, 1);
    for (const auto& [other, otherField] : flags) {
      if (other != flag) {
        EXPECT_EQ(f.*otherField, 0);
      }
    }
    setAppInfoFlag(f, flag, false);
    EXPECT_TRUE(f == twoMarks());
  }
}

TEST(ClipFieldEdit, RateAndPacketCount) {
  TCLPI c;
  setRecordingRate(c, 0xFFFFFFFF);
  setSourcePacketCount(c, 12345);
  EXPECT_EQ(c.clip_info.TS_recording_rate, 0xFFFFFFFFu);
  EXPECT_EQ(c.clip_info.number_of_source_packets, 12345u);
}

}  // namespace
}  // namespace mirdal
