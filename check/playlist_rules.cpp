// The rules on playlists: the clips they play, their times, marks and
// stream tables, against the clip information files.
#include <algorithm>

#include "check/context.h"
#include "check/rule_set.h"
#include "core/display_text.h"
#include "present/mpls_rows.h"
#include "present/stream_texts.h"

namespace mirdal {

namespace {

Place playlistPlace(const DiscFile<Playlist>& f) {
  Place p;
  p.file = PlaceFile::Playlist;
  p.name = f.name;
  return p;
}

template <class Fn>
void forEachPlaylist(const CheckContext& ctx, Fn fn) {
  for (const auto& f : ctx.files.playlists)
    if (f.usable()) fn(f, f.model, playlistPlace(f));
}

const ClipInfoFile* usableClip(const CheckContext& ctx, const std::string& clip) {
  const long c = ctx.clipNamed(clip);
  return c >= 0 && ctx.files.clips[std::size_t(c)].usable() ? &ctx.files.clips[std::size_t(c)].model : nullptr;
}

std::string clipFile(const CheckContext& ctx, const std::string& clip) { return clip + ctx.files.names().clipExt; }

std::string span(std::uint32_t from, std::uint32_t to) { return playlistTimeText(from) + " - " + playlistTimeText(to); }

const StcSequence* stcSequence(const ClipInfoFile& c, std::uint8_t id) {
  for (const AtcSequence& atc : c.sequenceInfo.atcSequences)
    for (std::size_t i = 0; i < atc.stcSequences.size(); ++i)
      if (atc.offsetStcId + i == id) return &atc.stcSequences[i];
  return nullptr;
}

const ProgramStream* programStream(const ClipInfoFile& c, std::uint16_t pid) {
  for (const ProgramSequence& ps : c.programInfo.programSequences)
    for (const ProgramStream& s : ps.streams)
      if (s.pid == pid) return &s;
  return nullptr;
}

// Every STN stream of a PlayItem with its place: category and number from 1.
template <class Fn>
void forEachStream(const Stn& t, const Place& item, Fn fn) {
  const auto list = [&](const auto& streams, StreamCategory c, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    for (std::size_t i = from; i < std::min(to, streams.size()); ++i)
      fn(static_cast<const StreamRecord&>(streams[i]), item.thenStream(c, std::uint32_t(i - from + 1)));
  };
  list(t.primaryVideo, StreamCategory::PrimaryVideo);
  list(t.primaryAudio, StreamCategory::PrimaryAudio);
  list(t.pg, StreamCategory::PG, 0, pgStreamCount(t));
  list(t.pg, StreamCategory::PiPPG, pgStreamCount(t));
  list(t.ig, StreamCategory::IG);
  list(t.secondaryAudio, StreamCategory::SecondaryAudio);
  list(t.secondaryVideo, StreamCategory::SecondaryVideo);
}

// The clips a stream entry's PID may come from: the PlayItem's clip for
// entries of the main path, the clips of the SubPath it names otherwise.
std::vector<std::string> streamClips(const Playlist& m, const PlayItem& pi, const StreamEntry& e) {
  if (e.type == 1 || e.type == 3) return {pi.clipName};
  std::vector<std::string> clips;
  if (e.type != 2 || e.subPathId >= m.playlist.subpaths.size()) return clips;
  for (const SubPlayItem& spi : m.playlist.subpaths[e.subPathId].items) {
    if (spi.isMultiClip && e.subClipId < spi.clips.size()) clips.push_back(spi.clips[e.subClipId].clipName);
    else clips.push_back(spi.clipName);
  }
  return clips;
}

std::uint16_t streamPid(const StreamEntry& e) { return e.type == 2 ? e.subPid : e.mainPid; }

std::string codingText(std::uint8_t coding) {
  const std::string_view t = codingTypeText(coding);
  return t.empty() ? "coding " + hexText(coding, 2) : std::string(t);
}

}  // namespace

void checkPlaylistClips(const CheckContext& ctx, FindingSink& out) {
  const auto missing = [&](const std::string& clip, const Place& at) {
    if (ctx.clipNamed(clip) < 0)
      out(at, "plays clip " + clip + ", but CLIPINF" + kSep + clipFile(ctx, clip) + " does not exist");
  };
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const PlayItem& pi = m.playlist.items[k];
      const Place item = base.then(PlacePart::PlayItem, std::uint32_t(k));
      missing(pi.clipName, item);
      for (std::size_t a = 1; a < pi.angles.angles.size(); ++a)
        missing(pi.angles.angles[a].clipName, item.then(PlacePart::Angle, std::uint32_t(a)));
    }
    for (std::size_t s = 0; s < m.playlist.subpaths.size(); ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const SubPlayItem& spi = m.playlist.subpaths[s].items[j];
        const Place sub = base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j));
        missing(spi.clipName, sub);
        for (std::size_t e = 1; e < spi.clips.size(); ++e)
          missing(spi.clips[e].clipName, sub.then(PlacePart::MultiClip, std::uint32_t(e)));
      }
  });
}

void checkInOut(const CheckContext& ctx, FindingSink& out) {
  const auto judge = [&](std::uint32_t in, std::uint32_t to, const Place& at) {
    if (in >= to) out(at, "IN " + playlistTimeText(in) + " is not before OUT " + playlistTimeText(to));
  };
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k)
      judge(m.playlist.items[k].inTime, m.playlist.items[k].outTime, base.then(PlacePart::PlayItem, std::uint32_t(k)));
    for (std::size_t s = 0; s < m.playlist.subpaths.size(); ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const SubPlayItem& spi = m.playlist.subpaths[s].items[j];
        judge(spi.inTime, spi.outTime,
              base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j)));
      }
  });
}

void checkInOutRange(const CheckContext& ctx, FindingSink& out) {
  const auto judge = [&](const std::string& clip, std::uint8_t stc, std::uint32_t in, std::uint32_t to, const Place& at) {
    const ClipInfoFile* c = usableClip(ctx, clip);
    if (!c || in >= to) return;
    const StcSequence* s = stcSequence(*c, stc);
    if (!s) {
      out(at, "STC id " + std::to_string(stc) + ", but " + clipFile(ctx, clip) + " has no STC sequence " +
                  std::to_string(stc));
      return;
    }
    if (in >= s->presentationStartTime && to <= s->presentationEndTime) return;
    out(at, "IN " + playlistTimeText(in) + " - OUT " + playlistTimeText(to) + " lies outside STC sequence " +
                std::to_string(stc) + " of " + clipFile(ctx, clip) + " (" +
                span(s->presentationStartTime, s->presentationEndTime) + ")");
  };
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const PlayItem& pi = m.playlist.items[k];
      judge(pi.clipName, pi.stcId, pi.inTime, pi.outTime, base.then(PlacePart::PlayItem, std::uint32_t(k)));
    }
    for (std::size_t s = 0; s < m.playlist.subpaths.size(); ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const SubPlayItem& spi = m.playlist.subpaths[s].items[j];
        judge(spi.clipName, spi.stcId, spi.inTime, spi.outTime,
              base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j)));
      }
  });
}

void checkMarkItems(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    const std::size_t n = m.playlist.items.size();
    for (std::size_t i = 0; i < m.marks.marks.size(); ++i)
      if (m.marks.marks[i].playItemRef >= n)
        out(base.then(PlacePart::Mark, std::uint32_t(i)), "names PlayItem " + std::to_string(m.marks.marks[i].playItemRef) +
                                                              ", but the playlist has " + counted(n, "PlayItem", "PlayItems"));
  });
}

void checkMarkRange(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    for (std::size_t i = 0; i < m.marks.marks.size(); ++i) {
      const Mark& k = m.marks.marks[i];
      if (k.playItemRef >= m.playlist.items.size()) continue;
      const PlayItem& pi = m.playlist.items[k.playItemRef];
      // A PlayItem whose IN is not before its OUT is told as such.
      if (pi.inTime >= pi.outTime || (k.time >= pi.inTime && k.time <= pi.outTime)) continue;
      out(base.then(PlacePart::Mark, std::uint32_t(i)), playlistTimeText(k.time) + " lies outside PlayItem " +
                                                            std::to_string(k.playItemRef) + " (" +
                                                            span(pi.inTime, pi.outTime) + ")");
    }
  });
}

void checkMarkOrder(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    const auto& marks = m.marks.marks;
    const auto text = [](const Mark& k) {
      return "PlayItem " + std::to_string(k.playItemRef) + " at " + playlistTimeText(k.time);
    };
    for (std::size_t i = 1; i < marks.size(); ++i) {
      const Mark &a = marks[i - 1], &b = marks[i];
      if (std::tie(b.playItemRef, b.time) >= std::tie(a.playItemRef, a.time)) continue;
      out(base.then(PlacePart::Mark, std::uint32_t(i)),
          text(b) + " comes before mark " + std::to_string(i - 1) + " (" + text(a) + ")");
    }
  });
}

void checkStnPids(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const PlayItem& pi = m.playlist.items[k];
      forEachStream(pi.stn, base.then(PlacePart::PlayItem, std::uint32_t(k)), [&](const StreamRecord& s, const Place& at) {
        const std::vector<std::string> clips = streamClips(m, pi, s.entry);
        if (clips.empty()) return;
        std::string missingIn;
        for (const std::string& clip : clips) {
          const ClipInfoFile* c = usableClip(ctx, clip);
          if (!c || programStream(*c, streamPid(s.entry))) return;  // found, or nothing to judge by
          if (missingIn.find(clipFile(ctx, clip)) == std::string::npos)
            missingIn += (missingIn.empty() ? "" : " or ") + clipFile(ctx, clip);
        }
        out(at, "PID " + hexText(streamPid(s.entry), 4) + " is not a stream of " + missingIn);
      });
    }
  });
}

void checkStnCoding(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const PlayItem& pi = m.playlist.items[k];
      forEachStream(pi.stn, base.then(PlacePart::PlayItem, std::uint32_t(k)), [&](const StreamRecord& s, const Place& at) {
        for (const std::string& clip : streamClips(m, pi, s.entry)) {
          const ClipInfoFile* c = usableClip(ctx, clip);
          const ProgramStream* ps = c ? programStream(*c, streamPid(s.entry)) : nullptr;
          if (!ps) continue;
          if (ps->streamCodingType != s.attributes.codingType) {
            std::string here = codingText(s.attributes.codingType), there = codingText(ps->streamCodingType);
            if (here == there) {
              here += " (" + hexText(s.attributes.codingType, 2) + ")";
              there += " (" + hexText(ps->streamCodingType, 2) + ")";
            }
            out(at, "coding " + here + " here, " + there + " in " + clipFile(ctx, clip) + " (PID " +
                        hexText(ps->pid, 4) + ")");
          }
          return;
        }
      });
    }
  });
}

void checkSubPathRefs(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    const std::size_t subpaths = m.playlist.subpaths.size(), items = m.playlist.items.size();
    for (std::size_t k = 0; k < items; ++k)
      forEachStream(m.playlist.items[k].stn, base.then(PlacePart::PlayItem, std::uint32_t(k)),
                    [&](const StreamRecord& s, const Place& at) {
                      if ((s.entry.type == 2 || s.entry.type == 3) && s.entry.subPathId >= subpaths)
                        out(at, "names SubPath " + std::to_string(s.entry.subPathId) + ", but the playlist has " +
                                    counted(subpaths, "SubPath", "SubPaths"));
                    });
    for (std::size_t s = 0; s < subpaths; ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const SubPlayItem& spi = m.playlist.subpaths[s].items[j];
        if (spi.syncPlayItemId >= items)
          out(base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j)),
              "is synchronised with PlayItem " + std::to_string(spi.syncPlayItemId) + ", but the playlist has " +
                  counted(items, "PlayItem", "PlayItems"));
      }
  });
}

void checkConnections(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<Playlist>&, const Playlist& m, const Place& base) {
    const auto& items = m.playlist.items;
    for (std::size_t k = 0; k < items.size(); ++k) {
      const std::uint8_t cc = items[k].connectionCondition;
      if (cc != 5 && cc != 6) continue;
      const Place at = base.then(PlacePart::PlayItem, std::uint32_t(k));
      if (k == 0) {
        out(at, "connection condition " + std::to_string(cc) + ", but no PlayItem comes before it");
        continue;
      }
      const PlayItem& prev = items[k - 1];
      // Condition 6: the stream runs on without a break, so the PlayItem
      // starts where the one before ended, in the same clip and STC sequence.
      if (cc == 6 && (prev.clipName != items[k].clipName || prev.stcId != items[k].stcId ||
                      prev.outTime != items[k].inTime))
        out(at, "connection condition 6, but its IN " + playlistTimeText(items[k].inTime) + " (clip " +
                    items[k].clipName + ") does not continue PlayItem " + std::to_string(k - 1) + " (OUT " +
                    playlistTimeText(prev.outTime) + ", clip " + prev.clipName + ")");
      // Condition 5, a clean break: the PlayItem before plays its clip to
      // the end of its STC sequence and this one starts at the start of its.
      if (cc == 5) {
        const ClipInfoFile *a = usableClip(ctx, prev.clipName), *b = usableClip(ctx, items[k].clipName);
        const StcSequence* sa = a ? stcSequence(*a, prev.stcId) : nullptr;
        const StcSequence* sb = b ? stcSequence(*b, items[k].stcId) : nullptr;
        if (sa && prev.outTime != sa->presentationEndTime)
          out(at, "connection condition 5, but PlayItem " + std::to_string(k - 1) + " ends at " +
                      playlistTimeText(prev.outTime) + ", not at the end of its STC sequence (" +
                      playlistTimeText(sa->presentationEndTime) + ")");
        else if (sb && items[k].inTime != sb->presentationStartTime)
          out(at, "connection condition 5, but its IN " + playlistTimeText(items[k].inTime) +
                      " is not the start of its STC sequence (" + playlistTimeText(sb->presentationStartTime) + ")");
      }
    }
  });
}

void checkUnusedPlaylists(const CheckContext& ctx, FindingSink& out) {
  // BD-J applications play playlists the check cannot see.
  if (!ctx.index || !ctx.movieObjects || ctx.hasBdjTitles()) return;
  std::vector<bool> played(ctx.graph.nodes.size(), false);
  for (const NavEdge& e : ctx.graph.edges)
    if (!e.label.empty()) played[e.to] = true;
  for (std::size_t i = 0; i < ctx.graph.nodes.size(); ++i) {
    const NavNode& n = ctx.graph.nodes[i];
    if (n.kind == NodeKind::Playlist && !played[i]) out(n.place, "no command plays " + n.label);
  }
}

}  // namespace mirdal
