#include "documents/menu_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/disc_folder.h"
#include "core/report.h"
#include "core/save.h"
#include "documents/read_errors.h"
#include "menu/igs_read.h"
#include "menu/igs_write.h"
#include "stream/ig_extract.h"

namespace mirdal {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

bool takeLoad(Workspace& ws, const ReadWatch& watch, const MenuLoad& load, IgMenu m, const std::string& path,
              Reporter& rep) {
  if (load.cancelled) {
    rep.log("Loading the menu was cancelled; the menu shown before stays.");
    return false;
  }
  if (!usable(load.status)) return false;  // the reader said why
  ws.menu.load(std::move(m), fs::path(path).filename().string(), true, watch.errors(load.status));
  showReadErrors(ws.menu, rep);
  return true;
}

}  // namespace

MenuFileKind menuFileKind(const std::string& path) {
  const std::string ext = lowerExtension(path);
  if (ext == ".mnu") return MenuFileKind::Menu;
  if (ext == ".m2ts" || ext == ".mts") return MenuFileKind::Stream;
  return MenuFileKind::Other;
}

bool loadMenuFile(Workspace& ws, const std::string& path, Reporter& rep) {
  switch (menuFileKind(path)) {
    case MenuFileKind::Menu: {
      IgMenu m;
      const ReadWatch watch(rep);
      const MenuLoad load = readMnuFile(path, m, rep);
      return takeLoad(ws, watch, load, std::move(m), path, rep);
    }
    case MenuFileKind::Stream:
      return loadMenuFromStreamFile(ws, path, kDefaultIgPid, rep);
    case MenuFileKind::Other:
      break;
  }
  rep.logError(fs::path(path).filename().string() + " is neither a menu file (.mnu) nor a stream file (.m2ts, .MTS).");
  return false;
}

bool loadMenuFromStreamFile(Workspace& ws, const std::string& path, std::uint16_t pid, Reporter& rep) {
  IgMenu m;
  const ReadWatch watch(rep);
  // Cancel stops this read only: the token ends with it.
  CancelToken cancel;
  const RunningOperation running(rep, cancel);
  const MenuLoad load = loadMenuFromStream(path, pid, m, rep, cancel);
  return takeLoad(ws, watch, load, std::move(m), path, rep);
}

bool saveMenuFile(Workspace& ws, const std::string& path, Reporter& rep, Guesses g) {
  if (!ws.menu.loaded()) {
    rep.log("No menu is loaded: nothing saved.");
    return false;
  }
  if (!mayWrite(ws.menu, g, rep)) return false;
  // The writer re-encodes the objects and rebuilds the fragment tables in
  // the model it writes; the document keeps its own model and history.
  IgMenu copy = ws.menu.model();
  SaveRequest req;
  req.folder = folderOfFile(path);
  req.name = fs::path(path).filename().string();
  req.backup = ws.options.backup;
  if (!saveMnu(copy, req, rep)) return false;
  ws.menu.markSaved();
  return true;
}

}  // namespace mirdal
