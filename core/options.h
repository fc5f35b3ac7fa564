// Every user option with its default. The GUI loads and stores these in the
// per-user settings; the command line sets them from flags. The engine reads
// them only through the Workspace that holds them.
#pragma once

#include <cstdint>
#include <string>

namespace mirdal {

enum class BackupMode { OnlyFirst = 0, Overwrite = 1, StopIfExists = 2 };

struct BackupOptions {
  bool createBackup = true;      // "Create backup files"
  BackupMode mode = BackupMode::OnlyFirst;
  bool saveToBackupDir = false;  // "Save to BACKUP dir"
};

// Colours of the menu page, as colour numbers 0x00BBGGRR (red in the low
// byte), the form in which the settings store them.
struct MenuColours {
  std::uint32_t background = 0x800000;        // "Menu background": navy
  std::uint32_t objectBackground = 0xC0C0C0;  // "Object background": silver
  std::uint32_t selectedButton = 0x00FFFF;    // "Selected button": yellow
  std::uint32_t selectedFrame = 0x0000FF;     // "Selected frame": red
  std::uint32_t normalButton = 0xFFFFFF;      // "Normal button": white
  std::uint32_t normalFrame = 0xC0C0C0;       // "Normal frame": silver
  std::uint32_t invalidButton = 0x808080;     // "Invalid button": gray
  std::uint32_t invalidFrame = 0x000000;      // "Invalid Frame": black
  std::uint32_t window = 0x00FF00;            // "Window frame": lime
};

struct Options {
  BackupOptions backup;
  bool autoRead = true;
  int region = 0;  // 0 "A", 1 "B", 2 "C"
  int chapterFormat = 0;
  int programFormat = 0;  // 0 "List (*.lst)", 1 "Binary (*.bin)"
  bool savePes = false;
  bool saveSup = true;
  bool saveMnu = true;
  bool buttonId = false;
  bool objectId = false;
  bool buttonFrame = false;
  bool windowFrame = false;
  bool forcedBeep = true;
  bool preLoad = true;
  bool showInEffects = true;
  bool showOutEffects = true;
  bool showButtonAnimation = false;
  bool showFullScreen = false;
  bool background = false;
  std::string backgroundPic;
  bool realPsrs = false;
  bool playSound = false;
  bool associateBdmv = false;
  bool associateMnu = false;
  bool shortNames = false;  // "Use 8.3 filenames"
  bool autoMenu = false;
  int actiDelay = 500;
  int grid = 15;
  std::uint32_t countryCode = 0x5553;  // "US"
  MenuColours colours;
  std::string outputFolder;            // "Output folder": not stored, empty each run
  std::string savePidFolder;           // where Save P&ID last saved without an output folder
};

}  // namespace mirdal
