// The GUI's command line, said once: `mirdal --help` prints it. Plain data,
// outside the GUI, so that other programs can read it too.
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

}  // namespace mirdal
