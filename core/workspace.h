// Everything one session of the program works on: the options, the disc
// folder with its per-load lists, and one instance of each file model. The
// GUI owns one Workspace for the whole run; tests and mirdal-cli make their
// own.
#pragma once

#include <string>

#include "core/disc_folder.h"
#include "core/options.h"
#include "formats/bdjo.h"
#include "formats/index_bdmv.h"
#include "formats/movie_objects.h"
#include "formats/sound_bdmv.h"
#include "nav/command.h"
#include "nav/interpreter.h"
#include "nav/registers.h"

namespace mirdal {

struct Workspace {
  Options options;
  DiscState disc;

  // The disc database files of the last Read. The index is not loaded after
  // a wrong header or too many titles (the half-loaded state): it is then
  // neither shown editable nor saved. formats/bdmv_files.h reads and saves.
  TINDX index;
  bool indexLoaded = false;
  TMOBJ mobj;
  bool mobjLoaded = false;
  // Objects whose header lies in the file; those behind the end of a
  // truncated file are zero and show blank rows.
  std::size_t mobjObjectsInFile = 0;
  // The BD-J object last read on the BD-J page.
  TBDJO bdjo;
  std::string bdjoName;
  bool bdjoLoaded = false;
  // AUXDATA/sound.bdmv, read when the Read finds it or made by "Create
  // sound.bdmv"; formats/sound_files.h reads and saves.
  TSND sound;
  bool soundLoaded = false;

  // The emulator: the register file, the copy buffer of both command grids
  // and the run state of the run panel.
  Registers regs;
  TCommands copyBuffer;
  RunState run;

  const NameSet& names() const { return nameSet(options.shortNames); }
  std::string pathOf(const std::string& relative) const {
    return disc.folder.empty() ? std::string() : disc.folder + relative;
  }
};

}  // namespace mirdal
