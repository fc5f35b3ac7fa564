// The disc folder: file-name sets, path rules, disc label and the per-load
// lists filled by a Read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mirdal {

// Long names, or the 8.3 names some authoring tools write.
struct NameSet {
  std::string index;        // "index.bdmv" / "INDEX.BDM"
  std::string movieObject;  // "MovieObject.bdmv" / "MOVIEOBJ.BDM"
  std::string playlistExt;  // ".mpls" / ".MPL"
  std::string clipExt;      // ".clpi" / ".CPI"
  std::string streamExt;    // ".m2ts" / ".MTS"
};
const NameSet& nameSet(bool shortNames);

inline constexpr char kSep = '/';

// A folder text always ends with the separator.
std::string withTrailingSeparator(std::string path);

// A folder picked in the folder chooser: separator appended, then "BDMV" and
// a separator unless the path already ends in them.
std::string discFolderFromChosen(std::string path);

// The folder that holds a file (a dropped file or the command-line argument),
// with a trailing separator.
std::string folderOfFile(const std::string& filePath);

// The folder that `mirdal-cli` works on for a path given by the user: a file
// names its folder; a folder holding no index file but a BDMV subfolder names
// that subfolder.
std::string discFolderFromArgument(const std::string& path);

// Text shown in brackets in the window caption: the name of the folder above
// BDMV, or, when that folder is the root of a mounted volume, the volume's
// label in upper case. The label lookup can be replaced (tests, GUI).
using VolumeLabelFn = std::function<std::string(const std::string& mountRoot)>;
std::string discLabel(const std::string& discFolder, const VolumeLabelFn& volumeLabel = {});

// Whether path is the root of a mounted file system.
bool isMountRoot(const std::string& path);
// The label of the volume mounted at mountRoot (empty when it has none).
std::string systemVolumeLabel(const std::string& mountRoot);

// One row per clip information file: its stream file as found.
struct ClipStreamFile {
  std::string name;  // empty when the stream file is missing
  std::uint64_t size = 0;
};

// Where a clip is used: filled by the Find tool.
struct ClipUse {
  std::uint16_t playlist = 0;
  char kind = 'p';  // 'p' PlayItem, 's' SubPlayItem
  std::uint16_t item = 0;
};
using ClipUses = std::vector<ClipUse>;

// What a Read found in the folder.
struct DiscState {
  std::string folder;  // the disc folder path, ends with the separator
  std::vector<std::string> playlists;  // names without extension, in listing order
  std::vector<std::string> clips;
  std::vector<std::string> bdjos;
  std::vector<ClipStreamFile> avStreams;    // one row per clip name
  std::vector<ClipUses> ciRefs;             // one row per clip name
  bool checkPassed = false;
  bool soundPresent = false;  // AUXDATA/sound.bdmv exists
  std::string label;
  std::string caption;        // "Mirdal v0.34b [label]" after a Read
};

// The caption without a disc: "Mirdal v0.34b".
std::string baseCaption();

// Lists the files of `folder` whose names end in `ext` (compared exactly),
// in the order the file system enumerates them, without the extension. An
// empty ext lists every file, each name cut at its last dot.
std::vector<std::string> listNames(const std::string& folder, const std::string& ext,
                                   const std::function<void(const std::string& fileName)>& each = {});

}  // namespace mirdal
