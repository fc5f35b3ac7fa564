// What the disc check looks at: every database file of a disc folder, the
// stream files' sizes and the menus, each with whether it could be used.
// Read from a folder (lint) or taken from the open documents (the GUI).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/disc_folder.h"
#include "formats/clip/clpi.h"
#include "formats/common/disc_file.h"
#include "formats/bdmv/index_bdmv.h"
#include "formats/bdmv/movie_objects.h"
#include "formats/playlist/mpls.h"
#include "formats/sound/sound_bdmv.h"
#include "menu/igs_model.h"

namespace mirdal {

template <class Model>
struct DiscFile {
  std::string name;  // as the disc names it: "00003.mpls", "INDEX.BDM"
  ReadStatus status = ReadStatus::Unreadable;
  std::string problem;  // why it cannot be used: "it ends early at $000001C4"
  Model model;

  // The check uses a file only when it was read whole: the rest of a file
  // that ends early reads as zeros, and every rule would trip over them.
  bool usable() const { return status == ReadStatus::Ok; }
};

struct StreamFile {
  std::string name;  // "00000.m2ts"
  bool exists = false;
  std::uint64_t size = 0;
};

// A menu to check: the first display set of a clip's IG stream, or a .mnu
// file given by the user.
struct MenuFile {
  std::string name;  // "00000.m2ts", "extra.mnu"
  std::string clip;  // the clip whose stream holds it; empty for a .mnu
  std::uint16_t pid = 0;
  ReadStatus status = ReadStatus::Unreadable;
  std::string problem;
  IgMenu menu;
  bool usable() const { return status == ReadStatus::Ok; }
};

struct DiscFiles {
  std::string folder;  // ends with the separator
  bool shortNames = false;
  bool streamFolder = false;
  bool bdjoFolder = false;
  DiscFile<IndexFile> index;
  DiscFile<MovieObjectFile> movieObjects;
  std::vector<DiscFile<Playlist>> playlists;  // in name order
  std::vector<DiscFile<ClipInfoFile>> clips;  // in name order
  std::vector<StreamFile> streams;            // one per clip, same order
  std::vector<std::string> streamNames;       // every file of STREAM, sorted
  std::vector<std::string> bdjos;             // BDJO names without extension
  std::optional<DiscFile<SoundFile>> sound;   // when AUXDATA/sound.bdmv exists
  std::vector<MenuFile> menus;

  const NameSet& names() const { return nameSet(shortNames); }
};

struct DiscReadOptions {
  // Each clip's IG stream (the PIDs its ProgramInfo lists as IG), up to the
  // end of its first display set, which is all a menu load reads.
  bool menusFromStreams = true;
  std::vector<std::string> menuFiles;  // .mnu files to check as well
};

// Reads every file of the folder without a word to the log. A file that is
// missing (index, movie objects), unreadable, rejected or short is kept with
// its status and the reason; the check reports it once and goes on.
DiscFiles readDiscFiles(const std::string& folder, const DiscReadOptions& options = {});

struct Workspace;
// The GUI's input: the open documents as they are now (index, movie objects,
// sound, the open playlist and clip, a menu opened from a .mnu file), the
// rest read from the folder of the last Read.
DiscFiles discFilesOf(const Workspace& ws, const DiscReadOptions& options = {});

// "it ends early at $000001C4", "wrong type or version", ...: the reason a
// database file of that status cannot be used.
std::string readProblem(ReadStatus status, const Bytes& data, const std::string& systemError);

}  // namespace mirdal
