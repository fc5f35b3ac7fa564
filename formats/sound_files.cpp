#include "formats/sound_files.h"

#include <filesystem>

#include "core/report.h"

namespace mirdal {

namespace {

std::string auxFolder(const Workspace& ws) { return ws.pathOf(std::string("AUXDATA") + kSep); }

}  // namespace

void readSound(Workspace& ws) {
  ws.soundLoaded = usable(readSoundFile(auxFolder(ws) + kSoundFileName, ws.sound).status);
}

bool soundsave(Workspace& ws) {
  if (!ws.soundLoaded) {
    log(std::string(kSoundFileName) + " was not read; not saved.");
    return false;
  }
  std::error_code ec;
  std::filesystem::create_directories(auxFolder(ws), ec);
  SaveRequest req;
  req.folder = auxFolder(ws);
  req.name = kSoundFileName;
  req.backup = ws.options.backup;
  return soundsave(ws.sound, req);
}

}  // namespace mirdal
