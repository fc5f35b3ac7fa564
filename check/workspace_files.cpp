// The check's input in the GUI: the open documents as they are now, with
// their unsaved edits, and the rest of the disc from its folder.
#include <algorithm>

#include "check/disc_files.h"
#include "documents/workspace.h"

namespace mirdal {

namespace {

template <class Model>
void takeDocument(DiscFile<Model>& f, const Document<Model>& doc) {
  if (!doc.loaded()) return;
  f.model = doc.model();
  // A document read with errors holds guesses; the check treats it as the
  // file it came from.
  f.status = doc.readWithErrors() ? ReadStatus::Truncated : ReadStatus::Ok;
  f.problem = doc.readWithErrors() ? doc.readErrors() : std::string();
}

template <class Model>
void takeOpenFile(std::vector<DiscFile<Model>>& files, const Document<Model>& doc) {
  if (!doc.loaded()) return;
  const auto it = std::find_if(files.begin(), files.end(), [&](const DiscFile<Model>& f) { return f.name == doc.fileName(); });
  if (it != files.end()) takeDocument(*it, doc);
}

bool isMnu(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".mnu";
}

}  // namespace

DiscFiles discFilesOf(const Workspace& ws, const DiscReadOptions& options) {
  DiscFiles d = readDiscFiles(ws.disc.folder, options);
  takeDocument(d.index, ws.index);
  takeDocument(d.movieObjects, ws.mobj);
  takeOpenFile(d.playlists, ws.playlist);
  takeOpenFile(d.clips, ws.clip);
  if (ws.sound.loaded()) {
    if (!d.sound) d.sound = DiscFile<SoundFile>{kSoundFileName, ReadStatus::Ok, {}, {}};
    takeDocument(*d.sound, ws.sound);
  }
  // A menu opened from a .mnu file is checked with the disc; one taken out of
  // a stream is what the stream holds, which the check reads itself.
  if (ws.menu.loaded() && isMnu(ws.menu.fileName())) {
    MenuFile m;
    m.name = ws.menu.fileName();
    m.status = ws.menu.readWithErrors() ? ReadStatus::Truncated : ReadStatus::Ok;
    m.problem = ws.menu.readErrors();
    m.menu = ws.menu.model();
    d.menus.push_back(std::move(m));
  }
  return d;
}

}  // namespace mirdal
