#include "documents/disc_files.h"

#include <filesystem>

#include "core/report.h"
#include "documents/read_errors.h"
#include "formats/playlist/mpls.h"
#include "formats/clip/clip_packets.h"
#include "formats/clip/clpi.h"
#include "formats/clip/clpi_edit.h"
#include "formats/sound/sound_bdmv.h"

namespace mirdal {

namespace fs = std::filesystem;

namespace {

SaveRequest requestFor(const Workspace& ws, const std::string& name) {
  SaveRequest req;
  req.folder = ws.disc.folder;
  req.name = name;
  req.backup = ws.options.backup;
  req.copyToBackupDir = true;
  return req;
}

// The object file for a name listed from BDJO: name + ".bdjo", or else the
// first file of that stem.
std::string bdjoPath(const Workspace& ws, const std::string& name) {
  const std::string folder = ws.pathOf(std::string("BDJO") + kSep);
  const std::string usual = folder + name + ".bdjo";
  std::error_code ec;
  if (fs::is_regular_file(usual, ec) || folder.empty()) return usual;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    if (e.is_regular_file(ec) && e.path().stem().string() == name) return e.path().string();
  }
  return usual;
}

}  // namespace

void readMovieObjects(Workspace& ws, Reporter& rep) {
  const std::string& name = ws.names().movieObject;
  MovieObjectFile m;
  const ReadWatch watch(rep);
  const MovieObjectsParse res = readMovieObjectFile(ws.pathOf(name), m, rep);
  const bool ok = usable(res.status);
  ws.mobjObjectsInFile = ok ? res.objectsRead : 0;
  ws.mobj.load(std::move(m), name, ok, watch.errors(res.status));
  showReadErrors(ws.mobj, rep);
}

void readIndex(Workspace& ws, Reporter& rep) {
  const std::string& name = ws.names().index;
  IndexFile idx;
  const ReadWatch watch(rep);
  const ReadStatus status = readIndexFile(ws.pathOf(name), idx, rep).status;
  ws.index.load(std::move(idx), name, usable(status), watch.errors(status));
  showReadErrors(ws.index, rep);
}

bool readBdjo(Workspace& ws, const std::string& name, Reporter& rep) {
  const std::string path = bdjoPath(ws, name);
  const std::string file = fs::path(path).filename().string();
  ws.bdjoName = name;
  BdjoFile b;
  const ReadWatch watch(rep);
  const ReadStatus status = readBdjoFile(path, file, b, rep);
  const bool ok = usable(status);
  ws.bdjo.load(std::move(b), file, ok, watch.errors(status));
  showReadErrors(ws.bdjo, rep);
  return ok;
}

bool saveIndex(Workspace& ws, Reporter& rep, Guesses g) {
  const std::string& name = ws.names().index;
  if (!ws.index.loaded()) {
    rep.log(name + " was not loaded: not saved.");
    return false;
  }
  if (!mayWrite(ws.index, g, rep)) return false;
  const bool saved = saveIndex(ws.index.model(), requestFor(ws, name), rep);
  if (saved) ws.index.markSaved();
  return saved;
}

bool saveMovieObjects(Workspace& ws, Reporter& rep, Guesses g) {
  const std::string& name = ws.names().movieObject;
  if (!ws.mobj.loaded()) {
    rep.log(name + " was not loaded: not saved.");
    return false;
  }
  if (!mayWrite(ws.mobj, g, rep)) return false;
  const bool saved = saveMovieObjects(ws.mobj.model(), requestFor(ws, name), rep);
  if (saved) ws.mobj.markSaved();
  return saved;
}

namespace {

std::string auxFolder(const Workspace& ws) { return ws.pathOf(std::string("AUXDATA") + kSep); }

}  // namespace

void readSound(Workspace& ws, Reporter& rep) {
  SoundFile snd;
  const ReadWatch watch(rep);
  const ReadStatus status = readSoundFile(auxFolder(ws) + kSoundFileName, snd, rep).status;
  ws.sound.load(std::move(snd), kSoundFileName, usable(status), watch.errors(status));
  showReadErrors(ws.sound, rep);
}

bool saveSound(Workspace& ws, Reporter& rep, Guesses g) {
  if (!ws.sound.loaded()) {
    rep.log(std::string(kSoundFileName) + " was not read; not saved.");
    return false;
  }
  if (!mayWrite(ws.sound, g, rep)) return false;
  std::error_code ec;
  fs::create_directories(auxFolder(ws), ec);
  SaveRequest req;
  req.folder = auxFolder(ws);
  req.name = kSoundFileName;
  req.backup = ws.options.backup;
  const bool saved = saveSound(ws.sound.model(), req, rep);
  if (saved) ws.sound.markSaved();
  return saved;
}

namespace {

std::string playlistFolder(const Workspace& ws) { return ws.pathOf(std::string("PLAYLIST") + kSep); }

}  // namespace

bool readPlaylist(Workspace& ws, const std::string& name, Reporter& rep) {
  const std::string file = name + ws.names().playlistExt;
  Playlist m;
  const ReadWatch watch(rep);
  const ReadStatus status = readPlaylistFile(playlistFolder(ws) + file, m, rep);
  const bool ok = usable(status);
  ws.playlist.load(std::move(m), file, ok, watch.errors(status));
  showReadErrors(ws.playlist, rep);
  return ok;
}

bool savePlaylist(Workspace& ws, Reporter& rep, Guesses g) {
  const std::string& name = ws.playlist.fileName();
  if (!ws.playlist.loaded()) {
    rep.log((name.empty() ? std::string("The playlist") : name) + " was not loaded: not saved.");
    return false;
  }
  if (!mayWrite(ws.playlist, g, rep)) return false;
  // Guesses keep the lengths of the file that was cut; they are written as
  // a well-formed playlist, laid out from what the model holds.
  if (ws.playlist.readWithErrors()) ws.playlist.edit(ChangeNotice::everything(), [](Playlist& m) { fitLayout(m); });
  SaveRequest req = requestFor(ws, name);
  req.folder = playlistFolder(ws);
  req.copyToBackupDir = false;  // the BACKUP copies are of the index and movie-object files
  const bool saved = savePlaylist(ws.playlist.model(), req, rep);
  if (saved) ws.playlist.markSaved();
  return saved;
}

}  // namespace mirdal

namespace mirdal {

bool readClip(Workspace& ws, const std::string& name, Reporter& rep) {
  const std::string file = name + ws.names().clipExt;
  ClipInfoFile c;
  const ReadWatch watch(rep);
  const ReadStatus status = readClipInfoFile(ws.pathOf(std::string("CLIPINF") + kSep + file), c, rep).status;
  const bool ok = usable(status);
  ws.clip.load(std::move(c), file, ok, watch.errors(status));
  // The read is over: the status line leaves "Reading ..." as a playlist
  // read does, or keeps what went wrong.
  if (ok) rep.setStatusReady();
  showReadErrors(ws.clip, rep);
  return ok;
}

std::string clipName(const Workspace& ws) {
  const std::string& file = ws.clip.fileName();
  const std::string& ext = ws.names().clipExt;
  if (file.size() > ext.size() && file.compare(file.size() - ext.size(), ext.size(), ext) == 0)
    return file.substr(0, file.size() - ext.size());
  return fs::path(file).stem().string();
}

int clipRow(const Workspace& ws) {
  const std::string name = clipName(ws);
  if (name.empty()) return -1;
  for (std::size_t i = 0; i < ws.disc.clips.size(); ++i)
    if (ws.disc.clips[i] == name) return int(i);
  return -1;
}

std::string clipStreamPath(const Workspace& ws, const std::string& name) {
  return ws.pathOf(std::string("STREAM") + kSep + name + ws.names().streamExt);
}

ClipStreamFile clipStream(const Workspace& ws) {
  const int row = clipRow(ws);
  if (row < 0 || std::size_t(row) >= ws.disc.avStreams.size()) return {};
  return ws.disc.avStreams[std::size_t(row)];
}

bool correctPacketCount(Workspace& ws, std::uint32_t packets, Reporter& rep) {
  const std::string file = ws.clip.fileName();
  // A clip that failed to read is no clip to patch.
  if (file.empty() || !ws.clip.loaded()) return false;
  ClipInfoFile c = ws.clip.model();
  if (!patchPacketCount(ws.pathOf(std::string("CLIPINF") + kSep + file), packets, c, rep)) return false;
  ws.clip.load(std::move(c), file, ws.clip.loaded(), ws.clip.readErrors());
  return true;
}

bool saveClip(Workspace& ws, Reporter& rep, Guesses g) {
  const std::string file = ws.clip.fileName();
  if (!ws.clip.loaded()) {
    rep.log(file + " was not loaded: not saved.");
    return false;
  }
  if (!mayWrite(ws.clip, g, rep)) return false;
  // As for a playlist: the guesses are laid out from what the model holds.
  if (ws.clip.readWithErrors()) ws.clip.edit(ChangeNotice::everything(), [](ClipInfoFile& m) { fitClipLayout(m); });
  ClipInfoFile c = ws.clip.model();
  SaveRequest req = requestFor(ws, file);
  req.folder = ws.pathOf(std::string("CLIPINF") + kSep);
  req.copyToBackupDir = false;
  if (!saveClipInfo(c, req, rep)) return false;
  if (!(c == ws.clip.model())) ws.clip.edit(ChangeNotice::everything(), [&](ClipInfoFile& m) { m = std::move(c); });
  ws.clip.markSaved();
  return true;
}

}  // namespace mirdal
