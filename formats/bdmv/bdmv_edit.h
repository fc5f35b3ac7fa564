// Edits of the title table (index.bdmv) and of the movie object list
// (MovieObject.bdmv). Every edit that adds or removes bytes moves the
// enclosing length and a non-zero ExtensionData start address with it, so
// the savers can write both as held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/bdmv/bdmv_values.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"

namespace mirdal {

inline constexpr std::size_t kNoSelection = std::size_t(-1);

// --- First Playback and Top Menu ---------------------------------------

enum class EntrySlot { FirstPlayback = 0, TopMenu = 1 };
IndexEntry& indexEntry(IndexFile& idx, EntrySlot slot);
const IndexEntry& indexEntry(const IndexFile& idx, EntrySlot slot);

// The content provider text, cut to the 32 bytes its field holds.
void setContentProvider(IndexFile& idx, const std::string& text);

// An entry is on while its reference is not 0xFFFF (a BD-J entry read from
// a file holds 0).
bool entryIsOn(const IndexEntry& e);
// Off: reference 0xFFFF and object type HDMV, the only way the file can say
// "none". On: the reference becomes the object chosen in the entry's object
// number control.
void setEntryOn(IndexEntry& e, bool on, std::uint16_t chosenObject);
void setEntryObjectType(IndexEntry& e, ObjectType type);
void setEntryPlaybackType(IndexEntry& e, TitlePlaybackType type);
void setEntryObject(IndexEntry& e, std::uint16_t object);
void setEntryBdjName(IndexEntry& e, const std::string& name);

// The type choice of an entry or title: what the controls show is what it
// holds, so switching to BD-J takes the name shown and switching to HDMV
// the object number shown (each only when one is shown).
struct TypeSwitch {
  ObjectType type = ObjectType::HDMV;
  std::optional<std::string> bdjName;
  std::optional<std::uint16_t> object;
};
void switchEntryObjectType(IndexEntry& e, const TypeSwitch& s);
void switchTitleObjectType(IndexFile& idx, std::size_t title, const TypeSwitch& s);

// --- Titles ----------------------------------------------------------------

// Inserts a title at `pos` (0-based; the view passes the selected title + 1,
// or 0 for an empty table): HDMV, access type 0, playback type 0, movie
// object 0, no BD-J name. The titles behind it move down and are
// renumbered; Indexes length +12. Refused (false) at 999 titles, the most a
// file may hold.
bool insertTitle(IndexFile& idx, std::size_t pos);

// Deletes titles first..last (0-based, inclusive); Indexes length −12 each.
// Returns the title to select afterwards (the one before the deleted ones,
// the first when title 1 was deleted), or kNoSelection when no title is left
// or nothing was deleted.
std::size_t deleteTitles(IndexFile& idx, std::size_t first, std::size_t last);

// The title editors.
void setTitleObjectType(IndexFile& idx, std::size_t title, ObjectType type);
void setTitleAccessType(IndexFile& idx, std::size_t title, AccessType type);
void setTitlePlaybackType(IndexFile& idx, std::size_t title, TitlePlaybackType type);
void setTitleObject(IndexFile& idx, std::size_t title, std::uint16_t object);
void setTitleBdjName(IndexFile& idx, std::size_t title, const std::string& name);

// --- Movie objects -----------------------------------------------------------

// Inserts an empty object (flags 0, no commands) at `pos` (0-based; the view
// passes the selected object + 1, or 0 for an empty list); MovieObjects
// length +4. References to objects keep their values. Refused (false) at
// 65535 objects.
bool insertMovieObject(MovieObjectFile& m, std::size_t pos);

struct ObjectDeletion {
  std::size_t select = kNoSelection;  // object to select afterwards
  std::vector<unsigned> invalidTitles;  // title numbers reported
};

// Deletes objects first..last (0-based, inclusive); MovieObjects length −4
// per object and −12 per command they held. HDMV titles that referred to a
// deleted object get 0xFFFF; references behind the deleted range move down.
// Every HDMV title whose reference is then not a valid object number is
// reported with logError "Invalid object reference in Title N", followed by
// setStatusError "See Status". First Playback, Top Menu and commands are not
// changed.
ObjectDeletion deleteMovieObjects(MovieObjectFile& m, IndexFile& idx, std::size_t first, std::size_t last, Reporter& rep);

// Bookkeeping after commands were inserted into (delta > 0) or removed from
// (delta < 0) an object's command list: MovieObjects length and a non-zero
// ExtensionData start address move by 12 per command.
void commandsChanged(MovieObjectFile& m, long delta);

// The flag editors.
void setResumeFlag(MovieObjectFile& m, std::size_t object, ResumeIntention r);
void setMenuCallFlag(MovieObjectFile& m, std::size_t object, Mask mask);
void setTitleSearchFlag(MovieObjectFile& m, std::size_t object, Mask mask);

}  // namespace mirdal
