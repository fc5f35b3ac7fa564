#include "formats/playlist/playlist_clip_uses.h"

#include "core/report.h"
#include "formats/common/file_header.h"
#include "formats/playlist/mpls.h"

namespace mirdal {

std::vector<PlaylistClipUse> clipUsesOf(const Playlist& pl) {
  std::vector<PlaylistClipUse> uses;
  const auto& items = pl.playlist.items;
  // Entry 0 of an angle or clip list repeats the item's own clip.
  for (std::size_t k = 0; k < items.size(); ++k) {
    uses.push_back({items[k].clipName, 'p', std::uint16_t(k), 0, 0});
    const auto& angles = items[k].angles.angles;
    for (std::size_t a = 1; a < angles.size(); ++a)
      uses.push_back({angles[a].clipName, 'p', std::uint16_t(k), 0, std::uint8_t(a)});
  }
  const auto& subpaths = pl.playlist.subpaths;
  for (std::size_t s = 0; s < subpaths.size(); ++s)
    for (std::size_t j = 0; j < subpaths[s].items.size(); ++j) {
      const SubPlayItem& item = subpaths[s].items[j];
      uses.push_back({item.clipName, 's', std::uint16_t(j), std::uint16_t(s), 0});
      for (std::size_t a = 1; a < item.clips.size(); ++a)
        uses.push_back({item.clips[a].clipName, 's', std::uint16_t(j), std::uint16_t(s), std::uint8_t(a)});
    }
  return uses;
}

std::string clipUsePlace(const PlaylistClipUse& u) {
  std::string place = u.kind == 'p' ? "PlayItem " + std::to_string(u.item)
                                    : "SubPath " + std::to_string(u.subPath) + ", SubPlayItem " + std::to_string(u.item);
  if (u.angle) place += ", angle " + std::to_string(u.angle);
  return place;
}

namespace {

// The walk takes the same steps over the PlayList section as the playlist
// parser, field by field, so that it ends early exactly where a parse
// would; it keeps only the clip names.
class Walk {
 public:
  Walk(const Bytes& data, std::vector<PlaylistClipUse>& out,
       const std::function<void(std::size_t, std::size_t)>& progress)
      : r(data), size_(data.size()), out_(out), progress_(progress) {}

  ReadStatus run() {
    out_.clear();
    if (!readFileHeader(r, "MPLS").accepted) return ReadStatus::Rejected;
    const std::uint32_t playListStart = r.readU32();
    r.skip(8 + 20);  // the PlayListMark and ExtensionData addresses, reserved
    const std::uint32_t appInfoLength = r.readU32();
    r.skip(kAppInfoKnownLength);
    if (appInfoLength > kAppInfoKnownLength) skipTo(kAppInfoOffset + 4 + std::size_t(appInfoLength));
    skipTo(playListStart);
    if (r.pos() != playListStart) r.seek(playListStart);
    playList();
    return r.overrun() ? ReadStatus::Truncated : ReadStatus::Ok;
  }

 private:
  void progress() {
    if (progress_) progress_(r.pos(), size_);
  }

  void skipTo(std::size_t end) {
    if (end > r.pos()) r.skip(end - r.pos());
  }

  // n entries of name, codec id and STC id; entry 0 stands for the item's
  // own clip and is not in the file.
  void otherAngles(std::size_t n, PlaylistClipUse use) {
    for (std::size_t a = 1; a < n && !r.overrun(); ++a) {
      use.clip = r.readString(5);
      use.angle = std::uint8_t(a);
      r.skip(4 + 1);
      out_.push_back(use);
    }
  }

  // A PlayItem or SubPlayItem: its length, clip name and codec id, a flags
  // word of flagBytes whose bit flagBit says that other angles (other
  // clips) follow the fixed fields, those fixed fields (fixedBytes), and
  // then the list when there is one.
  void item(PlaylistClipUse use, std::size_t flagBytes, unsigned flagBit, std::size_t fixedBytes) {
    const std::size_t start = r.pos();
    const std::uint16_t length = r.readU16();
    use.clip = r.readString(5);
    r.skip(4);
    const std::uint32_t flags = flagBytes == 2 ? r.readU16() : r.readU32();
    r.skip(fixedBytes);
    out_.push_back(use);
    if ((flags >> flagBit) & 1) {
      const std::uint8_t n = r.readU8();
      r.skip(1);
      otherAngles(n, use);
    }
    skipTo(start + 2 + length);
  }

  // The multi-angle flag is bit 4 of two bytes; then the STC id, IN and OUT
  // times, UO mask, random access flag, still mode and still time.
  void playItem(std::uint16_t k) { item({{}, 'p', k, 0, 0}, 2, 4, 1 + 4 + 4 + 8 + 1 + 1 + 2); }

  // The multi-clip flag is bit 0 of four bytes; then the STC id, IN and OUT
  // times, the sync PlayItem id and the sync start time.
  void subPlayItem(std::uint16_t s, std::uint16_t j) { item({{}, 's', j, s, 0}, 4, 0, 1 + 4 + 4 + 2 + 4); }

  void subPath(std::uint16_t s) {
    const std::size_t start = r.pos();
    const std::uint32_t length = r.readU32();
    r.skip(1 + 1 + 2 + 1);  // reserved, type, repeat, reserved
    const std::uint8_t n = r.readU8();
    for (std::uint16_t j = 0; j < n && !r.overrun(); ++j) subPlayItem(s, j);
    skipTo(start + 4 + std::size_t(length));
  }

  void playList() {
    const std::size_t start = r.pos();
    const std::uint32_t length = r.readU32();
    r.skip(2);
    const std::uint16_t nItems = r.readU16();
    const std::uint16_t nSub = r.readU16();
    for (std::uint16_t k = 0; k < nItems && !r.overrun(); ++k) {
      progress();
      playItem(k);
    }
    for (std::uint16_t s = 0; s < nSub && !r.overrun(); ++s) {
      progress();
      subPath(s);
    }
    skipTo(start + 4 + std::size_t(length));
  }

  FieldReader r;
  std::size_t size_;
  std::vector<PlaylistClipUse>& out_;
  const std::function<void(std::size_t, std::size_t)>& progress_;
};

}  // namespace

ReadStatus walkClipUses(const Bytes& data, std::vector<PlaylistClipUse>& out,
                        const std::function<void(std::size_t, std::size_t)>& onProgress) {
  return Walk(data, out, onProgress).run();
}

ReadStatus readClipUses(const std::string& path, std::vector<PlaylistClipUse>& out, Reporter& rep) {
  out.clear();
  Bytes data;
  const std::string name = fileNameOf(path);
  if (!openPlaylistFile(path, name, data, rep)) return ReadStatus::Unreadable;
  const ReadStatus status = walkClipUses(data, out, playlistProgress(rep, true));
  reportPlaylistStatus(name, status, data.size(), rep);
  return status;
}

}  // namespace mirdal
