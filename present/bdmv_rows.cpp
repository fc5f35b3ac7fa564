#include "present/bdmv_rows.h"

#include "formats/bdmv_edit.h"

namespace mirdal {

int accessTypeItem(std::uint8_t accessType) { return accessType <= 1 ? 0 : accessType - 1; }


int objectTypeItem(std::uint8_t objectType) { return objectType == std::uint8_t(ObjectType::HDMV) ? 0 : 1; }

std::array<std::string, 5> indline(const TINDX& idx, std::size_t title) {
  const TIndexesTitle& t = idx.indexes.titles.at(title);
  std::string target;
  if (t.object_type != std::uint8_t(ObjectType::HDMV)) target = t.bdj_object_name;
  else if (t.movie_object_reference == kNoObject) target = "??";
  else target = std::to_string(t.movie_object_reference);
  return {zeroPadded(t.title_number, 3), kObjectTypeItems[objectTypeItem(t.object_type)],
          kAccessTypeItems[accessTypeItem(t.access_type & 3)],
          t.playback_type < kPlaybackTypeItems.size() ? kPlaybackTypeItems[t.playback_type] : "",
          target};
}

std::array<std::string, 5> objline(const TMOBJ& m, std::size_t object) {
  const Tmobject& o = m.movie_objects.objects.at(object);
  return {zeroPadded(object, 3), kResumeItems[o.resume_intention_flag & 1],
          kMaskItems[o.menu_call_mask & 1], kMaskItems[o.title_search_mask & 1],
          std::to_string(o.commands.size())};
}

std::string titleCounter(const TINDX& idx) {
  const int k = int(entryIsOn(idx.indexes.first_playback)) + int(entryIsOn(idx.indexes.top_menu));
  std::string s = std::to_string(idx.indexes.titles.size());
  if (k > 0) s += " + " + std::to_string(k);
  return s + " titles";
}

std::string objectCounter(const TMOBJ& m) {
  return std::to_string(m.movie_objects.objects.size()) + " objects";
}

BDMVLabelTexts BDMVlabels(const TINDX& idx, const TMOBJ& m) { return {titleCounter(idx), objectCounter(m)}; }

std::string commandWords(const TNavCommand& c) {
  return hexText(c.opcode, 8) + " " + hexText(c.dst, 8) + " " + hexText(c.src, 8);
}

}  // namespace mirdal
