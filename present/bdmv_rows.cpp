#include "present/bdmv_rows.h"

#include "formats/bdmv/bdmv_edit.h"

namespace mirdal {

int accessTypeItem(std::uint8_t accessType) { return accessType <= 1 ? 0 : accessType - 1; }


int objectTypeItem(std::uint8_t objectType) { return objectType == std::uint8_t(ObjectType::HDMV) ? 0 : 1; }

std::array<std::string, 5> titleRow(const IndexFile& idx, std::size_t title) {
  const IndexTitle& t = idx.indexes.titles.at(title);
  std::string target;
  if (t.objectType != std::uint8_t(ObjectType::HDMV)) target = t.bdjObjectName;
  else if (t.movieObjectReference == kNoObject) target = "??";
  else target = std::to_string(t.movieObjectReference);
  return {zeroPadded(t.titleNumber, 3), kObjectTypeItems[objectTypeItem(t.objectType)],
          kAccessTypeItems[accessTypeItem(t.accessType & 3)],
          t.playbackType < kPlaybackTypeItems.size() ? kPlaybackTypeItems[t.playbackType] : "",
          target};
}

std::array<std::string, 5> objectRow(const MovieObjectFile& m, std::size_t object) {
  const MovieObject& o = m.movieObjects.objects.at(object);
  return {zeroPadded(object, 3), kResumeItems[o.resumeIntentionFlag & 1],
          kMaskItems[o.menuCallMask & 1], kMaskItems[o.titleSearchMask & 1],
          std::to_string(o.commands.size())};
}

std::string titleCounter(const IndexFile& idx) {
  const int k = int(entryIsOn(idx.indexes.firstPlayback)) + int(entryIsOn(idx.indexes.topMenu));
  std::string s = std::to_string(idx.indexes.titles.size());
  if (k > 0) s += " + " + std::to_string(k);
  return s + " titles";
}

std::string objectCounter(const MovieObjectFile& m) {
  return std::to_string(m.movieObjects.objects.size()) + " objects";
}

BdmvLabelTexts bdmvLabels(const IndexFile& idx, const MovieObjectFile& m) { return {titleCounter(idx), objectCounter(m)}; }

std::string commandWords(const NavCommand& c) {
  return hexText(c.opcode, 8) + " " + hexText(c.dst, 8) + " " + hexText(c.src, 8);
}

}  // namespace mirdal
