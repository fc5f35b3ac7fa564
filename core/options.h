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

struct Options {
  BackupOptions backup;
  bool autoRead = true;
  int region = 0;  // 0 "A", 1 "B", 2 "C"
  int chapterFormat = 0;
  int programFormat = 0;  // 0 "List (*.lst)", 1 "Binary (*.bin)"
  bool savePES = false;
  bool saveSUP = true;
  bool saveMNU = true;
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
  bool realPSRs = false;
  bool playSound = false;
  bool associateBDMV = false;
  bool associateMNU = false;
  bool shortNames = false;  // "Use 8.3 filenames"
  bool autoMenu = false;
  int actiDelay = 500;
  int grid = 15;
  std::uint32_t countryCode = 0x5553;  // "US"
  std::string outputFolder;            // "Output folder": not stored, empty each run
};

}  // namespace mirdal
