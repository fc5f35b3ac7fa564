#include "formats/apply_to_clpi.h"

#include "formats/playlist_values.h"

namespace mirdal {

std::vector<std::size_t> applyToClpi(const TPlayItem& item, TCLPI& clip) {
  std::vector<std::size_t> changed;
  if (clip.program_info.program_sequences.empty()) return changed;
  auto& streams = clip.program_info.program_sequences[0].streams;
  const TSTN& stn = item.stn;
  // The program stream at `at` when it carries the STN stream's PID.
  auto target = [&](std::size_t at, const TStreamRec& s) -> TProgramStream* {
    if (at >= streams.size() || streams[at].PID != s.entry.main_pid) return nullptr;
    changed.push_back(at);
    return &streams[at];
  };
  const std::size_t V = stn.primary_video.size();
  const std::size_t A = stn.primary_audio.size();
  const std::size_t P = numPG(stn);
  for (std::size_t k = 0; k < V; ++k) {
    const TStreamRec& s = stn.primary_video[k];
    if (TProgramStream* t = target(k, s)) {
      t->stream_coding_type = s.attributes.coding_type;
      t->video_format = s.attributes.video_format;
      t->frame_rate = s.attributes.frame_rate;
      // HEVC only; every other coding type holds zero there on both sides.
      t->dynamicRangeType = s.attributes.dynamicRangeType;
      t->colorSpace = s.attributes.colorSpace;
      t->crFlag = s.attributes.crFlag;
      t->hdrPlusFlag = s.attributes.hdrPlusFlag;
    }
  }
  for (std::size_t k = 0; k < A; ++k) {
    const TStreamRec& s = stn.primary_audio[k];
    if (TProgramStream* t = target(V + k, s)) {
      t->stream_coding_type = s.attributes.coding_type;
      t->presentation_type = s.attributes.presentation_type;
      t->sampling_frequency = s.attributes.sampling_frequency;
      t->audio_language = s.attributes.language;
    }
  }
  for (std::size_t k = 0; k < P; ++k) {
    const TStreamRec& s = stn.pg[k];
    if (TProgramStream* t = target(V + A + k, s)) t->PG_language = s.attributes.language;
  }
  for (std::size_t k = 0; k < stn.ig.size(); ++k) {
    const TStreamRec& s = stn.ig[k];
    if (s.entry.type != std::uint8_t(StreamEntryType::PlayItem)) continue;
    if (TProgramStream* t = target(V + A + P + k, s)) t->IG_language = s.attributes.language;
  }
  return changed;
}

}  // namespace mirdal
