#include "formats/bdmv/bdmv_edit.h"

#include <algorithm>

#include "core/report.h"

namespace mirdal {

namespace {

// Lengths and addresses are 32-bit file fields: they wrap like them.
void moveBy(std::uint32_t& length, std::uint32_t& extAddress, long delta) {
  length += std::uint32_t(delta);
  if (extAddress != 0) extAddress += std::uint32_t(delta);
}


}  // namespace

IndexEntry& indexEntry(IndexFile& idx, EntrySlot slot) {
  return slot == EntrySlot::TopMenu ? idx.indexes.topMenu : idx.indexes.firstPlayback;
}

const IndexEntry& indexEntry(const IndexFile& idx, EntrySlot slot) {
  return slot == EntrySlot::TopMenu ? idx.indexes.topMenu : idx.indexes.firstPlayback;
}

void setContentProvider(IndexFile& idx, const std::string& text) { idx.contentProviderData = text.substr(0, 32); }

bool entryIsOn(const IndexEntry& e) { return e.movieObjectReference != kNoObject; }

void setEntryOn(IndexEntry& e, bool on, std::uint16_t chosenObject) {
  if (on) {
    e.movieObjectReference = chosenObject;
  } else {
    e.movieObjectReference = kNoObject;
    e.objectType = std::uint8_t(ObjectType::HDMV);
  }
}

void setEntryObjectType(IndexEntry& e, ObjectType type) { e.objectType = std::uint8_t(type); }
void setEntryPlaybackType(IndexEntry& e, TitlePlaybackType type) { e.playbackType = std::uint8_t(type); }
void setEntryObject(IndexEntry& e, std::uint16_t object) { e.movieObjectReference = object; }
void setEntryBdjName(IndexEntry& e, const std::string& name) { e.bdjObjectName = name.substr(0, 5); }

namespace {

// Entries and titles hold the same three fields the type switch writes.
template <typename Entry>
void switchType(Entry& e, const TypeSwitch& s) {
  e.objectType = std::uint8_t(s.type);
  if (s.type == ObjectType::BDJ && s.bdjName) e.bdjObjectName = s.bdjName->substr(0, 5);
  if (s.type == ObjectType::HDMV && s.object) e.movieObjectReference = *s.object;
}

}  // namespace

void switchEntryObjectType(IndexEntry& e, const TypeSwitch& s) { switchType(e, s); }
void switchTitleObjectType(IndexFile& idx, std::size_t title, const TypeSwitch& s) {
  switchType(idx.indexes.titles.at(title), s);
}

bool insertTitle(IndexFile& idx, std::size_t pos) {
  auto& titles = idx.indexes.titles;
  if (titles.size() >= kMaxTitles) return false;
  pos = std::min(pos, titles.size());
  titles.insert(titles.begin() + std::ptrdiff_t(pos), IndexTitle{});
  for (std::size_t i = pos; i < titles.size(); ++i) titles[i].titleNumber = unsigned(i + 1);
  moveBy(idx.indexes.length, idx.extensionDataStartAddress, 12);
  return true;
}

std::size_t deleteTitles(IndexFile& idx, std::size_t first, std::size_t last) {
  auto& titles = idx.indexes.titles;
  if (titles.empty() || first > last || first >= titles.size()) return titles.empty() ? kNoSelection : 0;
  last = std::min(last, titles.size() - 1);
  const std::size_t k = last - first + 1;
  titles.erase(titles.begin() + std::ptrdiff_t(first), titles.begin() + std::ptrdiff_t(last + 1));
  for (std::size_t i = first; i < titles.size(); ++i) titles[i].titleNumber = unsigned(i + 1);
  moveBy(idx.indexes.length, idx.extensionDataStartAddress, -12 * long(k));
  if (titles.empty()) return kNoSelection;
  return first > 0 ? first - 1 : 0;
}

void setTitleObjectType(IndexFile& idx, std::size_t title, ObjectType type) {
  idx.indexes.titles.at(title).objectType = std::uint8_t(type);
}
void setTitleAccessType(IndexFile& idx, std::size_t title, AccessType type) {
  idx.indexes.titles.at(title).accessType = std::uint8_t(type);
}
void setTitlePlaybackType(IndexFile& idx, std::size_t title, TitlePlaybackType type) {
  idx.indexes.titles.at(title).playbackType = std::uint8_t(type);
}
void setTitleObject(IndexFile& idx, std::size_t title, std::uint16_t object) {
  idx.indexes.titles.at(title).movieObjectReference = object;
}
void setTitleBdjName(IndexFile& idx, std::size_t title, const std::string& name) {
  idx.indexes.titles.at(title).bdjObjectName = name.substr(0, 5);
}

bool insertMovieObject(MovieObjectFile& m, std::size_t pos) {
  auto& objects = m.movieObjects.objects;
  if (objects.size() >= kMaxMovieObjects) return false;
  pos = std::min(pos, objects.size());
  objects.insert(objects.begin() + std::ptrdiff_t(pos), MovieObject{});
  moveBy(m.movieObjects.length, m.extensionDataStartAddress, 4);
  return true;
}

ObjectDeletion deleteMovieObjects(MovieObjectFile& m, IndexFile& idx, std::size_t first, std::size_t last, Reporter& rep) {
  ObjectDeletion res;
  auto& objects = m.movieObjects.objects;
  if (objects.empty() || first > last || first >= objects.size()) {
    if (!objects.empty()) res.select = 0;
    return res;
  }
  last = std::min(last, objects.size() - 1);
  const std::size_t k = last - first + 1;
  long commands = 0;
  for (std::size_t i = first; i <= last; ++i) commands += long(objects[i].commands.size());
  objects.erase(objects.begin() + std::ptrdiff_t(first), objects.begin() + std::ptrdiff_t(last + 1));
  moveBy(m.movieObjects.length, m.extensionDataStartAddress, -(4 * long(k) + 12 * commands));

  const std::size_t count = objects.size();
  for (IndexTitle& t : idx.indexes.titles) {
    if (t.objectType != std::uint8_t(ObjectType::HDMV)) continue;
    std::uint16_t& ref = t.movieObjectReference;
    // 0xFFFF already means "no object": it must not turn into a number.
    if (ref == kNoObject) {
    } else if (ref >= first && ref <= last) {
      ref = kNoObject;
    } else if (ref > last) {
      ref = std::uint16_t(ref - k);
    }
    if (ref >= count) {
      rep.logError("Invalid object reference in Title " + std::to_string(t.titleNumber));
      res.invalidTitles.push_back(t.titleNumber);
    }
  }
  if (count > 0) res.select = first > 0 ? first - 1 : 0;
  if (!res.invalidTitles.empty()) rep.setStatusError("See Status");
  return res;
}

void commandsChanged(MovieObjectFile& m, long delta) {
  moveBy(m.movieObjects.length, m.extensionDataStartAddress, 12 * delta);
}

void setResumeFlag(MovieObjectFile& m, std::size_t object, ResumeIntention r) {
  m.movieObjects.objects.at(object).resumeIntentionFlag = std::uint8_t(r);
}
void setMenuCallFlag(MovieObjectFile& m, std::size_t object, Mask mask) {
  m.movieObjects.objects.at(object).menuCallMask = std::uint8_t(mask);
}
void setTitleSearchFlag(MovieObjectFile& m, std::size_t object, Mask mask) {
  m.movieObjects.objects.at(object).titleSearchMask = std::uint8_t(mask);
}

}  // namespace mirdal
