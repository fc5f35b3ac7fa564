#include "formats/clip/apply_to_clpi.h"

#include "formats/playlist/playlist_values.h"

namespace mirdal {

std::vector<std::size_t> applyToClpi(const PlayItem& item, ClipInfoFile& clip) {
  std::vector<std::size_t> changed;
  if (clip.programInfo.programSequences.empty()) return changed;
  auto& streams = clip.programInfo.programSequences[0].streams;
  const Stn& stn = item.stn;
  // The program stream at `at` when it carries the STN stream's PID.
  auto target = [&](std::size_t at, const StreamRecord& s) -> ProgramStream* {
    if (at >= streams.size() || streams[at].pid != s.entry.mainPid) return nullptr;
    changed.push_back(at);
    return &streams[at];
  };
  const std::size_t videoCount = stn.primaryVideo.size();
  const std::size_t audioCount = stn.primaryAudio.size();
  const std::size_t pgCount = pgStreamCount(stn);
  for (std::size_t k = 0; k < videoCount; ++k) {
    const StreamRecord& s = stn.primaryVideo[k];
    if (ProgramStream* t = target(k, s)) {
      t->streamCodingType = s.attributes.codingType;
      t->videoFormat = s.attributes.videoFormat;
      t->frameRate = s.attributes.frameRate;
      // HEVC only; every other coding type holds zero there on both sides.
      t->dynamicRangeType = s.attributes.dynamicRangeType;
      t->colorSpace = s.attributes.colorSpace;
      t->crFlag = s.attributes.crFlag;
      t->hdrPlusFlag = s.attributes.hdrPlusFlag;
    }
  }
  for (std::size_t k = 0; k < audioCount; ++k) {
    const StreamRecord& s = stn.primaryAudio[k];
    if (ProgramStream* t = target(videoCount + k, s)) {
      t->streamCodingType = s.attributes.codingType;
      t->presentationType = s.attributes.presentationType;
      t->samplingFrequency = s.attributes.samplingFrequency;
      t->audioLanguage = s.attributes.language;
    }
  }
  for (std::size_t k = 0; k < pgCount; ++k) {
    const StreamRecord& s = stn.pg[k];
    if (ProgramStream* t = target(videoCount + audioCount + k, s)) t->pgLanguage = s.attributes.language;
  }
  for (std::size_t k = 0; k < stn.ig.size(); ++k) {
    const StreamRecord& s = stn.ig[k];
    if (s.entry.type != std::uint8_t(StreamEntryType::PlayItem)) continue;
    if (ProgramStream* t = target(videoCount + audioCount + pgCount + k, s)) t->igLanguage = s.attributes.language;
  }
  return changed;
}

}  // namespace mirdal
