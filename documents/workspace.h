// Everything one session of the program works on: the options, the disc
// folder with its per-load lists, and one document per file kind. The
// GUI owns one Workspace for the whole run; tests and mirdal-cli make their
// own.
#pragma once

#include <string>
#include <vector>

#include "core/disc_folder.h"
#include "core/options.h"
#include "documents/document.h"
#include "formats/bdjo/bdjo.h"
#include "formats/clip/clpi.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"
#include "menu/igs_model.h"
#include "nav/command.h"
#include "nav/interpreter.h"
#include "nav/registers.h"

namespace mirdal {

struct Workspace {
  Options options;
  DiscState disc;

  // The disc database files of the last Read, one document each. The index
  // is not loaded after a wrong header or too many titles (the half-loaded
  // state): it is then neither shown editable nor saved.
  // documents/disc_files.h reads and saves them.
  Document<IndexFile> index{"index"};
  Document<MovieObjectFile> mobj{"movie objects"};
  // How many objects the movie-object file really held: a file that ends
  // early lists more than it holds, and those rows are shown blank.
  std::size_t mobjObjectsInFile = 0;
  // AUXDATA/sound.bdmv of the last Read.
  Document<SoundFile> sound{"sound"};
  // The BD-J object last read on the BD-J page; bdjoName is the name listed
  // in BDJO (the document's file name has the extension).
  Document<BdjoFile> bdjo{"BD-J object"};
  std::string bdjoName;
  // The playlist and the clip information file last read on their pages,
  // and the menu last loaded or created on the menu page.
  Document<Playlist> playlist{"playlist"};
  Document<ClipInfoFile> clip{"clip"};
  Document<IgMenu> menu{"menu"};
  // The order of the edits of all documents, for Undo and Redo.
  EditJournal journal;

  // The emulator: the register file, the copy buffer of both command grids
  // and the run state of the run panel.
  Registers regs;
  CommandList copyBuffer;
  RunState run;

  Workspace() {
    for (DocumentBase* d : documents()) d->setJournal(&journal);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Every document, in the order their pages come.
  std::vector<DocumentBase*> documents() { return {&index, &mobj, &sound, &playlist, &clip, &menu, &bdjo}; }

  const NameSet& names() const { return nameSet(options.shortNames); }
  std::string pathOf(const std::string& relative) const {
    return disc.folder.empty() ? std::string() : disc.folder + relative;
  }
};

}  // namespace mirdal
