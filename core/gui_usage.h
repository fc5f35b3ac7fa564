// The GUI's command line, said once: `mirdal --help` prints it and the
// manual page mirdal(1), written by `mirdal-cli --generate gui-man`, is
// made from it. Plain data, so that both programs can read it.
#pragma once

namespace mirdal {

struct UsageEntry {
  const char* name;  // "-h, --help", "FILE"
  const char* text;
};

inline constexpr const char* kGuiSummary =
    "editor, viewer and player emulator for the navigation files and menus of a Blu-ray disc";

inline constexpr const char* kGuiSynopsis = "mirdal [--help | --version | FILE]";

inline constexpr UsageEntry kGuiArguments[] = {
    {"FILE",
     "A disc folder (the one holding BDMV, or BDMV itself) or a file in the BDMV folder such as "
     "index.bdmv or MovieObject.bdmv: the disc is read as Read on the BDMV page reads it. "
     "A menu file (.mnu): it is loaded on the Menu page. Without FILE and with \"Auto Read\" on, "
     "the disc folder of the last run is read."},
};

inline constexpr UsageEntry kGuiOptions[] = {
    {"-h, --help", "Print this help and exit."},
    {"--version", "Print the version and exit."},
};

// For the manual page only: what the window holds and the files it keeps.
inline constexpr const char* kGuiDescription[] = {
    "Mirdal shows the navigation and database files of a Blu-ray movie disc as they lie in a BDMV "
    "folder (index.bdmv, MovieObject.bdmv, playlists, clip information files, sound.bdmv, BD-J "
    "objects and Interactive Graphics menus) field by field, lets you change them and writes them "
    "back in their binary formats, with backups. It renders navigation commands as text, runs and "
    "traces programs against a model of the player registers, and shows and runs menus the way a "
    "player does.",
    "The window has the pages BDMV (the disc folder, its titles, movie objects and sounds), "
    "PLAYLIST, CLIPINF, Menu, BDJO, Options, Status (the log of every step) and About. Everything "
    "it does can also be scripted with mirdal-cli(1).",
};

inline constexpr UsageEntry kGuiFiles[] = {
    {"~/.config/Tervane Software/Mirdal.conf",
     "Every option of the Options page, the disc folder and the window's place, size and panes; "
     "read at start, written at exit."},
    {"~/.local/share/applications/mirdal.desktop, ~/.local/share/mime/packages/mirdal-bdmv.xml, "
     "~/.local/share/mime/packages/mirdal-mnu.xml",
     "Written at every start while \"Associate Mirdal to .bdmv file extension\" or \"Associate Mirdal "
     "to .mnu file extension\" is on: they make Mirdal one of the programs that open those files. "
     "Unchecking an option removes nothing."},
    {"$TMPDIR/Mirdal_*", "Temporary files (menus taken out of stream files, ...), removed at exit."},
};

}  // namespace mirdal
