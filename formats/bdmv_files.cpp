#include "formats/bdmv_files.h"

#include <filesystem>

#include "core/report.h"

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

void readMovieObjects(Workspace& ws) {
  const MobjParse res = readMovieObjectFile(ws.pathOf(ws.names().movieObject), ws.mobj);
  ws.mobjLoaded = usable(res.status);
  ws.mobjObjectsInFile = ws.mobjLoaded ? res.objectsRead : 0;
}

void readIndex(Workspace& ws) {
  ws.indexLoaded = usable(readIndexFile(ws.pathOf(ws.names().index), ws.index).status);
}

bool readBDJO(Workspace& ws, const std::string& name) {
  const std::string path = bdjoPath(ws, name);
  const std::string file = fs::path(path).filename().string();
  ws.bdjoName = name;
  ws.bdjoLoaded = usable(readBDJOFile(path, file, ws.bdjo));
  return ws.bdjoLoaded;
}

bool indexsave(Workspace& ws) {
  const std::string& name = ws.names().index;
  if (!ws.indexLoaded) {
    log(name + " was not loaded: not saved.");
    return false;
  }
  return indexsave(ws.index, requestFor(ws, name));
}

bool mobjsave(Workspace& ws) {
  const std::string& name = ws.names().movieObject;
  if (!ws.mobjLoaded) {
    log(name + " was not loaded: not saved.");
    return false;
  }
  return mobjsave(ws.mobj, requestFor(ws, name));
}

}  // namespace mirdal
