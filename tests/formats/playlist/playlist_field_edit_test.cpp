// The single-field edits of a playlist and a clip: what each stores, and
// the values and rows each refuses, leaving the model as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "formats/clip/clpi_edit.h"
#include "formats/playlist/mpls_edit.h"
#include "formats/playlist/playlist_field_edit.h"

namespace mirdal {
namespace {

Playlist twoMarks() {
  Playlist m;
  m.marks.marks = {Mark{0, 1, 0, 450000, 0xFFFF, 0}, Mark{0, 2, 1, 900000, 0xFFFF, 0}};
  m.uoMask1 = 0x0000000F;
  m.uoMask2 = 0;
  return m;
}

TEST(PlaylistFieldEdit, StoresAllowedValuesAndRefusesOthers) {
  struct Case {
    std::string name;
    std::function<bool(Playlist&)> edit;
    bool accepted;
    std::function<void(Playlist&)> expected;  // the change an accepted edit makes
  };
  const Case cases[] = {
      {"playback type", [](Playlist& m) { return setPlaybackType(m, PlaylistPlaybackType::Shuffle); }, true,
       [](Playlist& m) { m.playbackType = 3; }},
      {"unknown playback type", [](Playlist& m) { return setPlaybackType(m, PlaylistPlaybackType(4)); }, false, {}},
      {"playback count", [](Playlist& m) { return setPlaybackCount(m, 9999); }, true,
       [](Playlist& m) { m.playbackCount = 9999; }},
      {"count past 9999", [](Playlist& m) { return setPlaybackCount(m, 10000); }, false, {}},
      {"first word bit", [](Playlist& m) { return setUoMaskBit(m, UoWord::First, 31, true); }, true,
       [](Playlist& m) { m.uoMask1 = 0x8000000F; }},
      {"first word bit off", [](Playlist& m) { return setUoMaskBit(m, UoWord::First, 0, false); }, true,
       [](Playlist& m) { m.uoMask1 = 0x0000000E; }},
      {"bit 32", [](Playlist& m) { return setUoMaskBit(m, UoWord::First, 32, true); }, false, {}},
      {"second word named bit", [](Playlist& m) { return setUoMaskBit(m, UoWord::Second, 30, true); }, true,
       [](Playlist& m) { m.uoMask2 = 0x40000000; }},
      {"second word other bit", [](Playlist& m) { return setUoMaskBit(m, UoWord::Second, 29, true); }, false, {}},
      {"mark type", [](Playlist& m) { return setMarkType(m, 0, MarkType::LinkPoint); }, true,
       [](Playlist& m) { m.marks.marks[0].type = 2; }},
      {"unknown mark type", [](Playlist& m) { return setMarkType(m, 0, MarkType(3)); }, false, {}},
      {"type of no mark", [](Playlist& m) { return setMarkType(m, 2, MarkType::EntryMark); }, false, {}},
      {"mark PlayItem", [](Playlist& m) { return setMarkPlayItem(m, 1, 999); }, true,
       [](Playlist& m) { m.marks.marks[1].playItemRef = 999; }},
      {"mark PlayItem past 999", [](Playlist& m) { return setMarkPlayItem(m, 1, 1000); }, false, {}},
      {"mark time", [](Playlist& m) { return setMarkTime(m, 1, 0xFFFFFFFF); }, true,
       [](Playlist& m) { m.marks.marks[1].time = 0xFFFFFFFF; }},
      {"time of no mark", [](Playlist& m) { return setMarkTime(m, 5, 1); }, false, {}},
  };
  for (const Case& c : cases) {
    Playlist m = twoMarks();
    Playlist want = twoMarks();
    if (c.accepted) c.expected(want);
    EXPECT_EQ(c.edit(m), c.accepted) << c.name;
    EXPECT_TRUE(m == want) << c.name;
  }
}

TEST(PlaylistFieldEdit, WordsAndFlags) {
  Playlist m = twoMarks();
  setUoMask(m, UoWord::First, 0xFFFFFFFF);
  setUoMask(m, UoWord::Second, 0xFFFFFFFF);  // only the named bit stays
  EXPECT_EQ(m.uoMask1, 0xFFFFFFFFu);
  EXPECT_EQ(m.uoMask2, kUoWord2Mask);
  const std::pair<AppInfoFlag, std::uint8_t Playlist::*> flags[] = {
      {AppInfoFlag::RandomAccess, &Playlist::randomAccessFlag},
      {AppInfoFlag::AudioMix, &Playlist::audioMixFlag},
      {AppInfoFlag::BypassMixer, &Playlist::bypassMixerFlag},
  };
  for (const auto& [flag, field] : flags) {
    Playlist f = twoMarks();
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
  ClipInfoFile c;
  setRecordingRate(c, 0xFFFFFFFF);
  setSourcePacketCount(c, 12345);
  EXPECT_EQ(c.clipInfo.tsRecordingRate, 0xFFFFFFFFu);
  EXPECT_EQ(c.clipInfo.numberOfSourcePackets, 12345u);
}

}  // namespace
}  // namespace mirdal
