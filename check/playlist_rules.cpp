// The rules on playlists: the clips they play, their times, marks and
// stream tables, against the clip information files.
#include <algorithm>

#include "check/context.h"
#include "check/rule_set.h"
#include "core/display_text.h"
#include "present/mpls_rows.h"
#include "formats/stream_codes.h"

namespace mirdal {

namespace {

Place playlistPlace(const DiscFile<TMPLS>& f) {
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

const TCLPI* usableClip(const CheckContext& ctx, const std::string& clip) {
  const long c = ctx.clipNamed(clip);
  return c >= 0 && ctx.files.clips[std::size_t(c)].usable() ? &ctx.files.clips[std::size_t(c)].model : nullptr;
}

std::string clipFile(const CheckContext& ctx, const std::string& clip) { return clip + ctx.files.names().clipExt; }

std::string span(std::uint32_t from, std::uint32_t to) { return playlistTimeText(from) + " - " + playlistTimeText(to); }

const TSTC_sequence* stcSequence(const TCLPI& c, std::uint8_t id) {
  for (const TATC_sequences& atc : c.sequence_info.ATC_sequences)
    for (std::size_t i = 0; i < atc.STC_sequences.size(); ++i)
      if (atc.offset_STC_id + i == id) return &atc.STC_sequences[i];
  return nullptr;
}

const TProgramStream* programStream(const TCLPI& c, std::uint16_t pid) {
  for (const TProgram_sequences& ps : c.program_info.program_sequences)
    for (const TProgramStream& s : ps.streams)
      if (s.PID == pid) return &s;
  return nullptr;
}

// Every STN stream of a PlayItem with its place: category and number from 1.
template <class Fn>
void forEachStream(const TSTN& t, const Place& item, Fn fn) {
  const auto list = [&](const auto& streams, StreamCategory c, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    for (std::size_t i = from; i < std::min(to, streams.size()); ++i)
      fn(static_cast<const TStreamRec&>(streams[i]), item.thenStream(c, std::uint32_t(i - from + 1)));
  };
  list(t.primary_video, StreamCategory::PrimaryVideo);
  list(t.primary_audio, StreamCategory::PrimaryAudio);
  list(t.pg, StreamCategory::PG, 0, numPG(t));
  list(t.pg, StreamCategory::PiPPG, numPG(t));
  list(t.ig, StreamCategory::IG);
  list(t.secondary_audio, StreamCategory::SecondaryAudio);
  list(t.secondary_video, StreamCategory::SecondaryVideo);
}

// The clips a stream entry's PID may come from: the PlayItem's clip for
// entries of the main path, the clips of the SubPath it names otherwise.
std::vector<std::string> streamClips(const TMPLS& m, const TPlayItem& pi, const TStreamEntry& e) {
  if (e.type == 1 || e.type == 3) return {pi.clip_name};
  std::vector<std::string> clips;
  if (e.type != 2 || e.subpath_id >= m.playlist.subpaths.size()) return clips;
  for (const TSubPlayItem& spi : m.playlist.subpaths[e.subpath_id].items) {
    if (spi.is_multi_clip && e.subclip_id < spi.clips.size()) clips.push_back(spi.clips[e.subclip_id].clip_name);
    else clips.push_back(spi.clip_name);
  }
  return clips;
}

std::uint16_t streamPid(const TStreamEntry& e) { return e.type == 2 ? e.sub_pid : e.main_pid; }

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
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const TPlayItem& pi = m.playlist.items[k];
      const Place item = base.then(PlacePart::PlayItem, std::uint32_t(k));
      missing(pi.clip_name, item);
      for (std::size_t a = 1; a < pi.angles.angles.size(); ++a)
        missing(pi.angles.angles[a].clip_name, item.then(PlacePart::Angle, std::uint32_t(a)));
    }
    for (std::size_t s = 0; s < m.playlist.subpaths.size(); ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const TSubPlayItem& spi = m.playlist.subpaths[s].items[j];
        const Place sub = base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j));
        missing(spi.clip_name, sub);
        for (std::size_t e = 1; e < spi.clips.size(); ++e)
          missing(spi.clips[e].clip_name, sub.then(PlacePart::MultiClip, std::uint32_t(e)));
      }
  });
}

void checkInOut(const CheckContext& ctx, FindingSink& out) {
  const auto judge = [&](std::uint32_t in, std::uint32_t to, const Place& at) {
    if (in >= to) out(at, "IN " + playlistTimeText(in) + " is not before OUT " + playlistTimeText(to));
  };
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k)
      judge(m.playlist.items[k].in_time, m.playlist.items[k].out_time, base.then(PlacePart::PlayItem, std::uint32_t(k)));
    for (std::size_t s = 0; s < m.playlist.subpaths.size(); ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const TSubPlayItem& spi = m.playlist.subpaths[s].items[j];
        judge(spi.in_time, spi.out_time,
              base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j)));
      }
  });
}

void checkInOutRange(const CheckContext& ctx, FindingSink& out) {
  const auto judge = [&](const std::string& clip, std::uint8_t stc, std::uint32_t in, std::uint32_t to, const Place& at) {
    const TCLPI* c = usableClip(ctx, clip);
    if (!c || in >= to) return;
    const TSTC_sequence* s = stcSequence(*c, stc);
    if (!s) {
      out(at, "STC id " + std::to_string(stc) + ", but " + clipFile(ctx, clip) + " has no STC sequence " +
                  std::to_string(stc));
      return;
    }
    if (in >= s->presentation_start_time && to <= s->presentation_end_time) return;
    out(at, "IN " + playlistTimeText(in) + " - OUT " + playlistTimeText(to) + " lies outside STC sequence " +
                std::to_string(stc) + " of " + clipFile(ctx, clip) + " (" +
                span(s->presentation_start_time, s->presentation_end_time) + ")");
  };
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const TPlayItem& pi = m.playlist.items[k];
      judge(pi.clip_name, pi.stc_id, pi.in_time, pi.out_time, base.then(PlacePart::PlayItem, std::uint32_t(k)));
    }
    for (std::size_t s = 0; s < m.playlist.subpaths.size(); ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const TSubPlayItem& spi = m.playlist.subpaths[s].items[j];
        judge(spi.clip_name, spi.stc_id, spi.in_time, spi.out_time,
              base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j)));
      }
  });
}

void checkMarkItems(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    const std::size_t n = m.playlist.items.size();
    for (std::size_t i = 0; i < m.marks.marks.size(); ++i)
      if (m.marks.marks[i].playitem_ref >= n)
        out(base.then(PlacePart::Mark, std::uint32_t(i)), "names PlayItem " + std::to_string(m.marks.marks[i].playitem_ref) +
                                                              ", but the playlist has " + counted(n, "PlayItem", "PlayItems"));
  });
}

void checkMarkRange(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    for (std::size_t i = 0; i < m.marks.marks.size(); ++i) {
      const TMark& k = m.marks.marks[i];
      if (k.playitem_ref >= m.playlist.items.size()) continue;
      const TPlayItem& pi = m.playlist.items[k.playitem_ref];
      // A PlayItem whose IN is not before its OUT is told as such.
      if (pi.in_time >= pi.out_time || (k.time >= pi.in_time && k.time <= pi.out_time)) continue;
      out(base.then(PlacePart::Mark, std::uint32_t(i)), playlistTimeText(k.time) + " lies outside PlayItem " +
                                                            std::to_string(k.playitem_ref) + " (" +
                                                            span(pi.in_time, pi.out_time) + ")");
    }
  });
}

void checkMarkOrder(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    const auto& marks = m.marks.marks;
    const auto text = [](const TMark& k) {
      return "PlayItem " + std::to_string(k.playitem_ref) + " at " + playlistTimeText(k.time);
    };
    for (std::size_t i = 1; i < marks.size(); ++i) {
      const TMark &a = marks[i - 1], &b = marks[i];
      if (std::tie(b.playitem_ref, b.time) >= std::tie(a.playitem_ref, a.time)) continue;
      out(base.then(PlacePart::Mark, std::uint32_t(i)),
          text(b) + " comes before mark " + std::to_string(i - 1) + " (" + text(a) + ")");
    }
  });
}

void checkStnPids(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const TPlayItem& pi = m.playlist.items[k];
      forEachStream(pi.stn, base.then(PlacePart::PlayItem, std::uint32_t(k)), [&](const TStreamRec& s, const Place& at) {
        const std::vector<std::string> clips = streamClips(m, pi, s.entry);
        if (clips.empty()) return;
        std::string missingIn;
        for (const std::string& clip : clips) {
          const TCLPI* c = usableClip(ctx, clip);
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
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    for (std::size_t k = 0; k < m.playlist.items.size(); ++k) {
      const TPlayItem& pi = m.playlist.items[k];
      forEachStream(pi.stn, base.then(PlacePart::PlayItem, std::uint32_t(k)), [&](const TStreamRec& s, const Place& at) {
        for (const std::string& clip : streamClips(m, pi, s.entry)) {
          const TCLPI* c = usableClip(ctx, clip);
          const TProgramStream* ps = c ? programStream(*c, streamPid(s.entry)) : nullptr;
          if (!ps) continue;
          if (ps->stream_coding_type != s.attributes.coding_type) {
            std::string here = codingText(s.attributes.coding_type), there = codingText(ps->stream_coding_type);
            if (here == there) {
              here += " (" + hexText(s.attributes.coding_type, 2) + ")";
              there += " (" + hexText(ps->stream_coding_type, 2) + ")";
            }
            out(at, "coding " + here + " here, " + there + " in " + clipFile(ctx, clip) + " (PID " +
                        hexText(ps->PID, 4) + ")");
          }
          return;
        }
      });
    }
  });
}

void checkSubPathRefs(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    const std::size_t subpaths = m.playlist.subpaths.size(), items = m.playlist.items.size();
    for (std::size_t k = 0; k < items; ++k)
      forEachStream(m.playlist.items[k].stn, base.then(PlacePart::PlayItem, std::uint32_t(k)),
                    [&](const TStreamRec& s, const Place& at) {
                      if ((s.entry.type == 2 || s.entry.type == 3) && s.entry.subpath_id >= subpaths)
                        out(at, "names SubPath " + std::to_string(s.entry.subpath_id) + ", but the playlist has " +
                                    counted(subpaths, "SubPath", "SubPaths"));
                    });
    for (std::size_t s = 0; s < subpaths; ++s)
      for (std::size_t j = 0; j < m.playlist.subpaths[s].items.size(); ++j) {
        const TSubPlayItem& spi = m.playlist.subpaths[s].items[j];
        if (spi.sync_playitem_id >= items)
          out(base.then(PlacePart::SubPath, std::uint32_t(s)).then(PlacePart::SubPlayItem, std::uint32_t(j)),
              "is synchronised with PlayItem " + std::to_string(spi.sync_playitem_id) + ", but the playlist has " +
                  counted(items, "PlayItem", "PlayItems"));
      }
  });
}

void checkConnections(const CheckContext& ctx, FindingSink& out) {
  forEachPlaylist(ctx, [&](const DiscFile<TMPLS>&, const TMPLS& m, const Place& base) {
    const auto& items = m.playlist.items;
    for (std::size_t k = 0; k < items.size(); ++k) {
      const std::uint8_t cc = items[k].connection_condition;
      if (cc != 5 && cc != 6) continue;
      const Place at = base.then(PlacePart::PlayItem, std::uint32_t(k));
      if (k == 0) {
        out(at, "connection condition " + std::to_string(cc) + ", but no PlayItem comes before it");
        continue;
      }
      const TPlayItem& prev = items[k - 1];
      // Condition 6: the stream runs on without a break, so the PlayItem
      // starts where the one before ended, in the same clip and STC sequence.
      if (cc == 6 && (prev.clip_name != items[k].clip_name || prev.stc_id != items[k].stc_id ||
                      prev.out_time != items[k].in_time))
        out(at, "connection condition 6, but its IN " + playlistTimeText(items[k].in_time) + " (clip " +
                    items[k].clip_name + ") does not continue PlayItem " + std::to_string(k - 1) + " (OUT " +
                    playlistTimeText(prev.out_time) + ", clip " + prev.clip_name + ")");
      // Condition 5, a clean break: the PlayItem before plays its clip to
      // the end of its STC sequence and this one starts at the start of its.
      if (cc == 5) {
        const TCLPI *a = usableClip(ctx, prev.clip_name), *b = usableClip(ctx, items[k].clip_name);
        const TSTC_sequence* sa = a ? stcSequence(*a, prev.stc_id) : nullptr;
        const TSTC_sequence* sb = b ? stcSequence(*b, items[k].stc_id) : nullptr;
        if (sa && prev.out_time != sa->presentation_end_time)
          out(at, "connection condition 5, but PlayItem " + std::to_string(k - 1) + " ends at " +
                      playlistTimeText(prev.out_time) + ", not at the end of its STC sequence (" +
                      playlistTimeText(sa->presentation_end_time) + ")");
        else if (sb && items[k].in_time != sb->presentation_start_time)
          out(at, "connection condition 5, but its IN " + playlistTimeText(items[k].in_time) +
                      " is not the start of its STC sequence (" + playlistTimeText(sb->presentation_start_time) + ")");
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
