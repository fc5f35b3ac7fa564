// The rules on clip information files: their stream files, packet counts and
// entry-point maps, and clips no playlist plays.
#include <unordered_set>

#include "check/context.h"
#include "check/rule_set.h"
#include "core/display_text.h"
#include "core/tick_text.h"
#include "formats/clip/clip_packets.h"
#include "formats/common/find_tool.h"

namespace mirdal {

namespace {

Place clipPlace(const DiscFile<ClipInfoFile>& f) {
  Place p;
  p.file = PlaceFile::Clip;
  p.name = f.name;
  return p;
}

// The clips some playlist plays (PlayItems, angles, SubPlayItems and their
// multi-clip entries); with Find's walk only PlayItems and SubPlayItems.
std::unordered_set<std::string> playedClips(const CheckContext& ctx, bool findsWalk) {
  std::unordered_set<std::string> used;
  for (const auto& f : ctx.files.playlists) {
    if (!f.usable()) continue;
    for (const PlayItem& pi : f.model.playlist.items) {
      used.insert(pi.clipName);
      if (!findsWalk)
        for (const ClipRef& a : pi.angles.angles) used.insert(a.clipName);
    }
    for (const SubPath& sp : f.model.playlist.subpaths)
      for (const SubPlayItem& spi : sp.items) {
        used.insert(spi.clipName);
        if (!findsWalk)
          for (const ClipRef& a : spi.clips) used.insert(a.clipName);
      }
  }
  return used;
}

// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& v) {
  std::string s;
  for (std::size_t i = 0; i < v.size(); ++i) s += (i == 0 ? "" : i + 1 == v.size() ? " and " : ", ") + v[i];
  return s;
}

// 90 kHz presentation time of an EP map entry, as "h:mm:ss.zzz".
std::string ptsText(std::uint64_t pts) { return tickTimeText(pts, 90000); }

}  // namespace

void checkClipStreams(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.files.streamFolder) return;
  for (std::size_t i = 0; i < ctx.files.clips.size(); ++i) {
    const auto& f = ctx.files.clips[i];
    if (ctx.files.streams[i].exists) continue;
    // Who plays it, by Find's walk (the same uses Find on the clip page
    // lists): PlayItems and SubPlayItems, per playlist.
    const std::string clip = baseName(f.name);
    std::string users;
    for (const auto& pl : ctx.files.playlists) {
      if (!pl.usable()) continue;
      std::vector<std::string> where, playItems;
      for (const PlaylistClipUse& u : clipUsesOf(pl.model)) {
        if (u.clip != clip) continue;
        if (u.kind == 'p') playItems.push_back(std::to_string(u.item));
        else where.push_back("SubPath " + std::to_string(u.subPath) + " SubPlayItem " + std::to_string(u.item));
      }
      if (!playItems.empty())
        where.insert(where.begin(), (playItems.size() == 1 ? "PlayItem " : "PlayItems ") + listed(playItems));
      if (where.empty()) continue;
      users += (users.empty() ? "" : "; ") + pl.name + " plays it in " + listed(where);
    }
    out(clipPlace(f), "STREAM" + std::string(1, kSep) + ctx.files.streams[i].name + " does not exist" +
                          (users.empty() ? std::string() : "; " + users));
  }
}

void checkPacketCounts(const CheckContext& ctx, FindingSink& out) {
  for (std::size_t i = 0; i < ctx.files.clips.size(); ++i) {
    const auto& f = ctx.files.clips[i];
    const StreamFile& s = ctx.files.streams[i];
    if (!f.usable() || !s.exists) continue;
    const PacketCheck pc = checkPacketCount(f.model, s.size);
    if (!pc.ask) continue;
    out(clipPlace(f), counted(f.model.clipInfo.numberOfSourcePackets, "source packet", "source packets") + ", but " +
                          s.name + " holds " + counted(pc.packets, "packet", "packets"));
  }
}

void checkEpOrder(const CheckContext& ctx, FindingSink& out) {
  for (const auto& f : ctx.files.clips) {
    if (!f.usable()) continue;
    const Cpi& cpi = f.model.cpi;
    for (std::size_t e = 0; e < cpi.entries.size() && e < cpi.maps.size(); ++e) {
      const EpMapForPid& m = cpi.maps[e];
      const Place map = clipPlace(f).then(PlacePart::EpMap, cpi.entries[e].streamPid);
      // Coarse entries: increasing references to fine entries that exist.
      bool broken = false;
      for (std::size_t c = 0; c < m.coarse.size() && !broken; ++c) {
        const EpCoarse& k = m.coarse[c];
        if (k.refToEpFineId >= m.fine.size()) {
          out(map.then(PlacePart::EpEntry, std::uint32_t(c)),
              "coarse entry " + std::to_string(c) + " refers to fine entry " + std::to_string(k.refToEpFineId) +
                  ", but the map has " + counted(m.fine.size(), "fine entry", "fine entries"));
          broken = true;
        } else if (c > 0 && (k.refToEpFineId <= m.coarse[c - 1].refToEpFineId ||
                             k.spnEpCoarse < m.coarse[c - 1].spnEpCoarse)) {
          out(map.then(PlacePart::EpEntry, std::uint32_t(c)),
              "coarse entry " + std::to_string(c) + " does not follow coarse entry " + std::to_string(c - 1));
          broken = true;
        }
      }
      if (broken || m.coarse.empty()) continue;
      // Fine entries: the whole PTS and SPN, from the coarse entry each
      // belongs to, increase.
      std::size_t c = 0;
      std::uint64_t lastPts = 0, lastSpn = 0;
      for (std::size_t i = 0; i < m.fine.size(); ++i) {
        while (c + 1 < m.coarse.size() && m.coarse[c + 1].refToEpFineId <= i) ++c;
        const std::uint64_t pts = (std::uint64_t(m.coarse[c].ptsEpCoarse & ~1u) << 19) |
                                  (std::uint64_t(m.fine[i].ptsEpFine) << 9);
        const std::uint64_t spn = (m.coarse[c].spnEpCoarse & ~0x1FFFFu) | m.fine[i].spnEpFine;
        if (i > 0 && (pts <= lastPts || spn <= lastSpn)) {
          out(map.then(PlacePart::EpEntry, std::uint32_t(i)),
              "PTS " + ptsText(pts) + " / SPN " + std::to_string(spn) + " does not follow entry " + std::to_string(i - 1) +
                  " (" + ptsText(lastPts) + " / " + std::to_string(lastSpn) + ")");
          break;
        }
        lastPts = pts;
        lastSpn = spn;
      }
    }
  }
}

void checkUnusedClips(const CheckContext& ctx, FindingSink& out) {
  // A playlist that cannot be read may be the one that plays the clip.
  for (const auto& f : ctx.files.playlists)
    if (!f.usable()) return;
  const std::unordered_set<std::string> used = playedClips(ctx, false);
  for (const auto& f : ctx.files.clips)
    if (!used.count(baseName(f.name))) out(clipPlace(f), "no playlist uses clip " + baseName(f.name));
}

}  // namespace mirdal
