// The rules on the files themselves, on index.bdmv and on the BD-J objects
// the index names.
#include "check/context.h"
#include "check/rule_set.h"

namespace mirdal {

namespace {

template <class Model>
void unreadable(const DiscFile<Model>& f, PlaceFile kind, FindingSink& out) {
  if (f.usable()) return;
  Place p;
  p.file = kind;
  p.name = f.name;
  out(p, f.name + " could not be read: " + f.problem);
}

// First Playback, Top Menu and each title, with the place that names it.
template <class Fn>
void forEachEntry(const CheckContext& ctx, Fn fn) {
  const Indexes& x = ctx.index->indexes;
  const Place base = ctx.indexPlace();
  fn(base.then(PlacePart::FirstPlayback, 0), x.firstPlayback.objectType, x.firstPlayback.playbackType,
     x.firstPlayback.movieObjectReference, x.firstPlayback.bdjObjectName, true);
  fn(base.then(PlacePart::TopMenu, 0), x.topMenu.objectType, x.topMenu.playbackType,
     x.topMenu.movieObjectReference, x.topMenu.bdjObjectName, true);
  for (std::size_t t = 0; t < x.titles.size(); ++t) {
    const IndexTitle& e = x.titles[t];
    fn(base.then(PlacePart::Title, std::uint32_t(t + 1)), e.objectType, e.playbackType, e.movieObjectReference,
       e.bdjObjectName, false);
  }
}

}  // namespace

void checkUnreadableFiles(const CheckContext& ctx, FindingSink& out) {
  const DiscFiles& d = ctx.files;
  unreadable(d.index, PlaceFile::Index, out);
  unreadable(d.movieObjects, PlaceFile::MovieObjects, out);
  for (const auto& f : d.playlists) unreadable(f, PlaceFile::Playlist, out);
  for (const auto& f : d.clips) unreadable(f, PlaceFile::Clip, out);
  if (d.sound) unreadable(*d.sound, PlaceFile::Sound, out);
}

void checkStreamFolder(const CheckContext& ctx, FindingSink& out) {
  if (ctx.files.streamFolder) return;
  Place p;
  p.name = "STREAM";
  out(p, "the STREAM folder is missing; stream files, packet counts and menus in streams are not checked");
}

void checkIndexObjects(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.index || !ctx.movieObjects) return;
  const std::size_t n = ctx.objectCount();
  forEachEntry(ctx, [&](const Place& at, std::uint8_t type, std::uint8_t, std::uint16_t object, const std::string&,
                        bool entry) {
    if (type != 1) return;
    if (object == kNoObject) {
      // First Playback and Top Menu are off with 0xFFFF; a title is not.
      if (!entry) out(at, "names no movie object (65535)");
      return;
    }
    if (object >= n)
      out(at, "names movie object " + std::to_string(object) + ", but " + ctx.files.movieObjects.name + " has " +
                  counted(n, "object", "objects"));
  });
}

void checkIndexObjectTypes(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.index) return;
  forEachEntry(ctx, [&](const Place& at, std::uint8_t type, std::uint8_t, std::uint16_t, const std::string&, bool) {
    if (type != 1 && type != 2)
      out(at, "object type " + std::to_string(type) + " is neither HDMV (1) nor BD-J (2)");
  });
}

void checkIndexPlaybackTypes(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.index) return;
  forEachEntry(ctx, [&](const Place& at, std::uint8_t type, std::uint8_t playback, std::uint16_t object,
                        const std::string&, bool entry) {
    // The Top Menu's playback type is not shown anywhere and players do not
    // look at it; an entry that is off plays nothing.
    if (at.number(PlacePart::TopMenu) || (entry && type == 1 && object == kNoObject)) return;
    if (type == 1 && playback > 1)
      out(at, "playback type " + std::to_string(playback) + " is not one of an HDMV title's (0 Movie, 1 Interactive)");
    if (type == 2 && playback < 2)
      out(at, "playback type " + std::to_string(playback) + " is not one of a BD-J title's (2 Movie, 3 Interactive)");
  });
}

void checkIndexAccessTypes(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.index) return;
  const auto& titles = ctx.index->indexes.titles;
  for (std::size_t t = 0; t < titles.size(); ++t)
    if (titles[t].accessType == 2)
      out(ctx.indexPlace().then(PlacePart::Title, std::uint32_t(t + 1)),
          "access type 2 is not a value players know (0 permitted, 1 prohibited, 3 prohibited and hidden)");
}

void checkBdjObjects(const CheckContext& ctx, FindingSink& out) {
  if (!ctx.index) return;
  forEachEntry(ctx, [&](const Place& at, std::uint8_t type, std::uint8_t, std::uint16_t object, const std::string& name,
                        bool entry) {
    if (type != 2) return;
    // An entry that is off keeps whatever name it held.
    if (entry && object == kNoObject) return;
    if (!ctx.bdjoExists(name))
      out(at, "names BD-J object " + name + ", but BDJO" + kSep + name + ".bdjo does not exist");
  });
}

}  // namespace mirdal
