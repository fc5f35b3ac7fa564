#include "documents/disc_read.h"

#include <filesystem>
#include <vector>

#include "core/report.h"
#include "documents/disc_files.h"

namespace mirdal {

namespace fs = std::filesystem;

namespace {

bool isDir(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool isFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool checkFolder(const Workspace& ws, const std::string& name, Reporter& rep) {
  const bool ok = isDir(ws.pathOf(name));
  rep.log("[bl]" + name + "[/bl] folder: " + (ok ? "[b]OK[/b]" : "[re]missing[/re]"));
  return ok;
}

bool checkFile(const Workspace& ws, const std::string& name, Reporter& rep) {
  const bool ok = isFile(ws.pathOf(name));
  rep.log(name + ": " + (ok ? "[b]OK[/b]" : "[re]missing[/re]"));
  return ok;
}

// The status line names each file of a folder as it is listed.
auto checkingEach(Reporter& rep) {
  return [&rep](const std::string& file) { rep.setStatusPanel("Checking " + file, 1); };
}

// The first line of a Read says which folder it checks: a first start, a
// mistyped path and an empty folder otherwise all fail alike.
void logCheckedFolder(const Workspace& ws, Reporter& rep) {
  const std::string& folder = ws.disc.folder;
  rep.log("Checking required files and directories... " + (folder.empty() ? std::string("(no folder chosen)") : folder));
}

// After "Check failed.": why, in plain words. A missing folder is the usual
// case for metadata copied off a disc (BACKUP is often left out), and an
// empty folder of that name is all the Read needs.
void explainCheckFailure(const Workspace& ws, const std::vector<std::string>& missingFolders, Reporter& rep) {
  const std::string& folder = ws.disc.folder;
  if (folder.empty()) {
    rep.log("No disc folder is chosen: choose its BDMV folder with the folder button, drop a file of it on the window "
        "or name one on the command line.");
    return;
  }
  if (!isDir(folder)) {
    rep.log("The folder " + folder + " does not exist.");
    return;
  }
  for (const std::string& name : missingFolders)
    rep.log("The folder " + name + " is missing in " + folder + "; creating it (it may stay empty) lets this folder be read.");
}

void checkStreams(Workspace& ws, Reporter& rep) {
  checkFolder(ws, "STREAM", rep);
  const NameSet& n = ws.names();
  std::size_t found = 0, missing = 0;
  ws.disc.avStreams.assign(ws.disc.clips.size(), ClipStreamFile{});
  for (std::size_t i = 0; i < ws.disc.clips.size(); ++i) {
    const std::string file = ws.disc.clips[i] + n.streamExt;
    const std::string path = ws.pathOf(std::string("STREAM") + kSep + file);
    // file_size fails for anything but a regular file: one stat per clip.
    std::error_code ec;
    const std::uint64_t size = path.empty() ? 0 : fs::file_size(path, ec);
    if (!path.empty() && !ec) {
      ws.disc.avStreams[i] = ClipStreamFile{file, size};
      ++found;
    } else {
      rep.log("  Stream " + file + " [re]missing[/re]");
      ++missing;
    }
  }
  std::string line = "  Found [b]" + std::to_string(found) + "[/b] AV streams";
  if (missing) line += ", [re]missing[/re] [b]" + std::to_string(missing) + "[/b]";
  rep.log(line);
}

}  // namespace

void resetDisc(Workspace& ws) {
  const std::string folder = ws.disc.folder;
  ws.disc = DiscState{};
  ws.disc.folder = folder;
  ws.index.reset();
  ws.mobj.reset();
  ws.mobjObjectsInFile = 0;
  ws.bdjo.reset();
  ws.bdjoName.clear();
  ws.sound.reset();
}

void loadDiscFiles(Workspace& ws, Reporter& rep) {
  const NameSet& n = ws.names();

  // 1. Movie objects come first so that the titles can name them.
  readMovieObjects(ws, rep);

  // 2.-3. Playlist and clip lists.
  rep.logStep("Reading playlists");
  ws.disc.playlists = listNames(ws.pathOf("PLAYLIST"), n.playlistExt, checkingEach(rep));
  rep.log("  Found [b]" + std::to_string(ws.disc.playlists.size()) + "[/b] playlists.");

  rep.logStep("Reading clipinfos");
  ws.disc.clips = listNames(ws.pathOf("CLIPINF"), n.clipExt, checkingEach(rep));
  rep.log("  Found [b]" + std::to_string(ws.disc.clips.size()) + "[/b] clipinfos.");
  ws.disc.ciRefs.assign(ws.disc.clips.size(), ClipUses{});

  // 4. BD-J objects, when the folder exists.
  if (isDir(ws.pathOf("BDJO"))) ws.disc.bdjos = listNames(ws.pathOf("BDJO"), "", checkingEach(rep));

  // 5. The index.
  readIndex(ws, rep);

  rep.setStatusReady();
}

bool readDisc(Workspace& ws, Reporter& rep) {
  resetDisc(ws);
  rep.resetErrorCount();
  logCheckedFolder(ws, rep);

  // The index file decides which name set the folder uses.
  if (!isFile(ws.pathOf(ws.names().index))) {
    ws.options.shortNames = !ws.options.shortNames;
    if (!isFile(ws.pathOf(ws.names().index))) ws.options.shortNames = !ws.options.shortNames;
  }
  const NameSet& n = ws.names();

  std::vector<std::string> missingFolders;
  for (const char* folder : {"PLAYLIST", "CLIPINF", "BACKUP"}) {
    if (std::string(folder) == "BACKUP" && ws.options.shortNames) continue;
    if (!checkFolder(ws, folder, rep)) missingFolders.push_back(folder);
  }
  bool ok = missingFolders.empty();
  ok = checkFile(ws, n.index, rep) && ok;
  ok = checkFile(ws, n.movieObject, rep) && ok;
  if (!ok) {
    rep.logError("[b]Check failed.[/b]");
    explainCheckFailure(ws, missingFolders, rep);
    return false;
  }
  ws.disc.checkPassed = true;

  rep.setStatusPanel("", 1);
  loadDiscFiles(ws, rep);

  const bool aux = checkFolder(ws, "AUXDATA", rep);
  const bool sound = checkFile(ws, std::string("AUXDATA") + kSep + "sound.bdmv", rep);
  ws.disc.soundPresent = aux && sound;
  if (ws.disc.soundPresent) readSound(ws, rep);

  ws.disc.label = discLabel(ws.disc.folder);
  ws.disc.caption = baseCaption() + " [" + ws.disc.label + "]";

  checkStreams(ws, rep);
  checkFolder(ws, "META", rep);
  checkFolder(ws, "BDJO", rep);
  checkFolder(ws, "JAR", rep);

  rep.log("");
  // Errors of the files read keep the error mark on the status line.
  rep.setStatusStepEnd();
  return true;
}

}  // namespace mirdal
