#include "formats/bdmv_edit.h"

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

TIndexEntry& indexEntry(TINDX& idx, EntrySlot slot) {
  return slot == EntrySlot::TopMenu ? idx.indexes.top_menu : idx.indexes.first_playback;
}

const TIndexEntry& indexEntry(const TINDX& idx, EntrySlot slot) {
  return slot == EntrySlot::TopMenu ? idx.indexes.top_menu : idx.indexes.first_playback;
}

void setContentProvider(TINDX& idx, const std::string& text) { idx.content_provider_data = text.substr(0, 32); }

bool entryIsOn(const TIndexEntry& e) { return e.movie_object_reference != kNoObject; }

void setEntryOn(TIndexEntry& e, bool on, std::uint16_t chosenObject) {
  if (on) {
    e.movie_object_reference = chosenObject;
  } else {
    e.movie_object_reference = kNoObject;
    e.object_type = std::uint8_t(ObjectType::HDMV);
  }
}

void setEntryObjectType(TIndexEntry& e, ObjectType type) { e.object_type = std::uint8_t(type); }
void setEntryPlaybackType(TIndexEntry& e, PlaybackType type) { e.playback_type = std::uint8_t(type); }
void setEntryObject(TIndexEntry& e, std::uint16_t object) { e.movie_object_reference = object; }
void setEntryBdjName(TIndexEntry& e, const std::string& name) { e.bdj_object_name = name.substr(0, 5); }

namespace {

// Entries and titles hold the same three fields the type switch writes.
template <typename Entry>
void switchType(Entry& e, const TypeSwitch& s) {
  e.object_type = std::uint8_t(s.type);
  if (s.type == ObjectType::BDJ && s.bdjName) e.bdj_object_name = s.bdjName->substr(0, 5);
  if (s.type == ObjectType::HDMV && s.object) e.movie_object_reference = *s.object;
}

}  // namespace

void switchEntryObjectType(TIndexEntry& e, const TypeSwitch& s) { switchType(e, s); }
void switchTitleObjectType(TINDX& idx, std::size_t title, const TypeSwitch& s) {
  switchType(idx.indexes.titles.at(title), s);
}

bool insertTitle(TINDX& idx, std::size_t pos) {
  auto& titles = idx.indexes.titles;
  if (titles.size() >= kMaxTitles) return false;
  pos = std::min(pos, titles.size());
  titles.insert(titles.begin() + std::ptrdiff_t(pos), TIndexesTitle{});
  for (std::size_t i = pos; i < titles.size(); ++i) titles[i].title_number = unsigned(i + 1);
  moveBy(idx.indexes.length, idx.ExtensionData_start_address, 12);
  return true;
}

std::size_t deleteTitles(TINDX& idx, std::size_t first, std::size_t last) {
  auto& titles = idx.indexes.titles;
  if (titles.empty() || first > last || first >= titles.size()) return titles.empty() ? kNoSelection : 0;
  last = std::min(last, titles.size() - 1);
  const std::size_t k = last - first + 1;
  titles.erase(titles.begin() + std::ptrdiff_t(first), titles.begin() + std::ptrdiff_t(last + 1));
  for (std::size_t i = first; i < titles.size(); ++i) titles[i].title_number = unsigned(i + 1);
  moveBy(idx.indexes.length, idx.ExtensionData_start_address, -12 * long(k));
  if (titles.empty()) return kNoSelection;
  return first > 0 ? first - 1 : 0;
}

void setTitleObjectType(TINDX& idx, std::size_t title, ObjectType type) {
  idx.indexes.titles.at(title).object_type = std::uint8_t(type);
}
void setTitleAccessType(TINDX& idx, std::size_t title, AccessType type) {
  idx.indexes.titles.at(title).access_type = std::uint8_t(type);
}
void setTitlePlaybackType(TINDX& idx, std::size_t title, PlaybackType type) {
  idx.indexes.titles.at(title).playback_type = std::uint8_t(type);
}
void setTitleObject(TINDX& idx, std::size_t title, std::uint16_t object) {
  idx.indexes.titles.at(title).movie_object_reference = object;
}
void setTitleBdjName(TINDX& idx, std::size_t title, const std::string& name) {
  idx.indexes.titles.at(title).bdj_object_name = name.substr(0, 5);
}

bool insertMovieObject(TMOBJ& m, std::size_t pos) {
  auto& objects = m.movie_objects.objects;
  if (objects.size() >= kMaxMovieObjects) return false;
  pos = std::min(pos, objects.size());
  objects.insert(objects.begin() + std::ptrdiff_t(pos), Tmobject{});
  moveBy(m.movie_objects.length, m.ExtensionData_start_address, 4);
  return true;
}

ObjectDeletion deleteMovieObjects(TMOBJ& m, TINDX& idx, std::size_t first, std::size_t last) {
  ObjectDeletion res;
  auto& objects = m.movie_objects.objects;
  if (objects.empty() || first > last || first >= objects.size()) {
    if (!objects.empty()) res.select = 0;
    return res;
  }
  last = std::min(last, objects.size() - 1);
  const std::size_t k = last - first + 1;
  long commands = 0;
  for (std::size_t i = first; i <= last; ++i) commands += long(objects[i].commands.size());
  objects.erase(objects.begin() + std::ptrdiff_t(first), objects.begin() + std::ptrdiff_t(last + 1));
  moveBy(m.movie_objects.length, m.ExtensionData_start_address, -(4 * long(k) + 12 * commands));

  const std::size_t count = objects.size();
  for (TIndexesTitle& t : idx.indexes.titles) {
    if (t.object_type != std::uint8_t(ObjectType::HDMV)) continue;
    std::uint16_t& ref = t.movie_object_reference;
    // 0xFFFF already means "no object": it must not turn into a number.
    if (ref == kNoObject) {
    } else if (ref >= first && ref <= last) {
      ref = kNoObject;
    } else if (ref > last) {
      ref = std::uint16_t(ref - k);
    }
    if (ref >= count) {
      erlog("Invalid object reference in Title " + std::to_string(t.title_number));
      res.invalidTitles.push_back(t.title_number);
    }
  }
  if (count > 0) res.select = first > 0 ? first - 1 : 0;
  if (!res.invalidTitles.empty()) erslog("See Status");
  return res;
}

void commandsChanged(TMOBJ& m, long delta) {
  moveBy(m.movie_objects.length, m.ExtensionData_start_address, 12 * delta);
}

void setResumeFlag(TMOBJ& m, std::size_t object, ResumeIntention r) {
  m.movie_objects.objects.at(object).resume_intention_flag = std::uint8_t(r);
}
void setMenuCallFlag(TMOBJ& m, std::size_t object, Mask mask) {
  m.movie_objects.objects.at(object).menu_call_mask = std::uint8_t(mask);
}
void setTitleSearchFlag(TMOBJ& m, std::size_t object, Mask mask) {
  m.movie_objects.objects.at(object).title_search_mask = std::uint8_t(mask);
}

}  // namespace mirdal
