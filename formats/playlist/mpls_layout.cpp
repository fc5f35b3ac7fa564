// The lengths and addresses a playlist's sections must hold for what it
// contains: checked before a save, or brought into line after an edit.
#include <string>

#include "formats/playlist/mpls.h"

namespace mirdal {

namespace {

constexpr std::size_t kMarkSize = 14;

// A list of one-byte stream references of odd length is followed by a
// padding byte.
std::size_t pad(std::size_t n) { return n + (n % 2); }

std::string sizeMismatch(const std::string& what, std::uint64_t held, std::uint64_t content) {
  return what + ": length " + std::to_string(held) + ", content " + std::to_string(content);
}

std::string addressMismatch(const std::string& what, std::uint64_t held, std::uint64_t at) {
  return what + " start address " + std::to_string(held) + ", section at " + std::to_string(at);
}

}  // namespace

std::size_t streamRecSize(const StreamRecord& s) {
  return 2 + std::size_t(s.entry.length) + s.attributes.length;
}

std::size_t secAudioSize(const SecondaryAudioStream& s) {
  return streamRecSize(s) + 2 + pad(s.primaryAudioRefs.size());
}

std::size_t secVideoSize(const SecondaryVideoStream& s) {
  return streamRecSize(s) + 2 + pad(s.secondaryAudioRefs.size()) + 2 + pad(s.pipPgRefs.size());
}

std::size_t stnContentLength(const Stn& t) {
  std::size_t n = 2 + kStreamCategories + 5 + t.trailing.size();
  for (const auto* list : {&t.primaryVideo, &t.primaryAudio, &t.pg, &t.ig})
    for (const StreamRecord& s : *list) n += streamRecSize(s);
  for (const SecondaryAudioStream& s : t.secondaryAudio) n += secAudioSize(s);
  for (const SecondaryVideoStream& s : t.secondaryVideo) n += secVideoSize(s);
  return n;
}

std::size_t playItemContentLength(const PlayItem& p) {
  std::size_t n = 32 + 2 + std::size_t(p.stn.length) + p.trailing.size();
  if (p.isMultiAngle) n += 2 + 10 * (std::max<std::size_t>(p.angles.angles.size(), 1) - 1);
  return n;
}

std::size_t subPlayItemContentLength(const SubPlayItem& s) {
  std::size_t n = 28 + s.trailing.size();
  if (s.isMultiClip) n += 2 + 10 * (std::max<std::size_t>(s.clips.size(), 1) - 1);
  return n;
}

std::size_t subPathContentLength(const SubPath& s) {
  std::size_t n = 6 + s.trailing.size();
  for (const SubPlayItem& i : s.items) n += 2 + std::size_t(i.length);
  return n;
}

std::size_t playListContentLength(const PlayListSection& pl) {
  std::size_t n = 6 + pl.trailing.size();
  for (const PlayItem& p : pl.items) n += 2 + std::size_t(p.length);
  for (const SubPath& s : pl.subpaths) n += 4 + std::size_t(s.length);
  return n;
}

std::size_t markContentLength(const PlayListMarkSection& plm) {
  return 2 + kMarkSize * plm.marks.size() + plm.trailing.size();
}

std::string checkLayout(const Playlist& m) {
  if (m.appInfoLength != kAppInfoKnownLength + m.appInfoExtra.size())
    return sizeMismatch("AppInfoPlayList", m.appInfoLength, kAppInfoKnownLength + m.appInfoExtra.size());
  const PlayListSection& pl = m.playlist;
  if (pl.items.size() > 0xFFFF || pl.subpaths.size() > 0xFFFF) return "PlayList: too many PlayItems or SubPaths";
  for (std::size_t i = 0; i < pl.items.size(); ++i) {
    const PlayItem& p = pl.items[i];
    const std::string name = "PlayItem " + std::to_string(i);
    const Stn& t = p.stn;
    if (t.pipPgCount > t.pg.size()) return name + ": more PiP PG streams than the PG list holds";
    for (int c = 0; c < kStreamCategories; ++c)
      if (streamCount(t, StreamCategory(c)) > 255) return name + ": more than 255 streams of a kind";
    for (const SecondaryAudioStream& s : t.secondaryAudio)
      if (s.primaryAudioRefs.size() > 255) return name + ": too many stream references";
    for (const SecondaryVideoStream& s : t.secondaryVideo)
      if (s.secondaryAudioRefs.size() > 255 || s.pipPgRefs.size() > 255)
        return name + ": too many stream references";
    if (p.angles.angles.size() > 255) return name + ": more than 255 angles";
    if (t.length != stnContentLength(t)) return sizeMismatch(name + " STN table", t.length, stnContentLength(t));
    if (p.length != playItemContentLength(p)) return sizeMismatch(name, p.length, playItemContentLength(p));
  }
  for (std::size_t i = 0; i < pl.subpaths.size(); ++i) {
    const SubPath& s = pl.subpaths[i];
    const std::string name = "SubPath " + std::to_string(i);
    if (s.items.size() > 255) return name + ": more than 255 SubPlayItems";
    for (std::size_t j = 0; j < s.items.size(); ++j) {
      const SubPlayItem& spi = s.items[j];
      if (spi.clips.size() > 255) return name + ": more than 255 multi-clip entries";
      if (spi.length != subPlayItemContentLength(spi))
        return sizeMismatch(name + " SubPlayItem " + std::to_string(j), spi.length, subPlayItemContentLength(spi));
    }
    if (s.length != subPathContentLength(s)) return sizeMismatch(name, s.length, subPathContentLength(s));
  }
  if (pl.length != playListContentLength(pl)) return sizeMismatch("PlayList", pl.length, playListContentLength(pl));

  std::uint64_t at = std::uint64_t(kAppInfoOffset) + 4 + m.appInfoLength + m.gapBeforePlaylist.size();
  if (m.playListStartAddress != at) return addressMismatch("PlayList", m.playListStartAddress, at);
  at += 4 + std::uint64_t(pl.length);
  if (m.playListMarkStartAddress != 0) {
    at += m.gapBeforeMarks.size();
    if (m.playListMarkStartAddress != at) return addressMismatch("PlayListMark", m.playListMarkStartAddress, at);
    if (m.marks.marks.size() > 0xFFFF) return "PlayListMark: too many marks";
    if (m.marks.length != markContentLength(m.marks))
      return sizeMismatch("PlayListMark", m.marks.length, markContentLength(m.marks));
    at += 4 + std::uint64_t(m.marks.length);
  }
  if (m.extensionDataStartAddress != 0) {
    at += m.gapBeforeExt.size();
    if (m.extensionDataStartAddress != at)
      return addressMismatch("ExtensionData", m.extensionDataStartAddress, at);
  }
  return {};
}

void fitLayout(Playlist& m) {
  for (PlayItem& p : m.playlist.items) {
    p.stn.length = std::uint16_t(stnContentLength(p.stn));
    p.length = std::uint16_t(playItemContentLength(p));
  }
  for (SubPath& s : m.playlist.subpaths) {
    for (SubPlayItem& i : s.items) i.length = std::uint16_t(subPlayItemContentLength(i));
    s.length = std::uint32_t(subPathContentLength(s));
  }
  m.playlist.length = std::uint32_t(playListContentLength(m.playlist));
  m.appInfoLength = std::uint32_t(kAppInfoKnownLength + m.appInfoExtra.size());
  std::uint32_t at = kAppInfoOffset + 4 + m.appInfoLength + std::uint32_t(m.gapBeforePlaylist.size());
  m.playListStartAddress = at;
  at += 4 + m.playlist.length;
  if (m.playListMarkStartAddress != 0) {
    at += std::uint32_t(m.gapBeforeMarks.size());
    m.playListMarkStartAddress = at;
    m.marks.length = std::uint32_t(markContentLength(m.marks));
    at += 4 + m.marks.length;
  }
  if (m.extensionDataStartAddress != 0) m.extensionDataStartAddress = at + std::uint32_t(m.gapBeforeExt.size());
}

}  // namespace mirdal
