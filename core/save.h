// The one save routine of every disc file writer: backup step, then a
// temporary file beside the target renamed over it, so a failed save never
// loses the file that was there.
#pragma once

#include <string>

#include "core/fields.h"
#include "core/options.h"
#include "core/report.h"

namespace mirdal {

// The backup step for file `name` in `folder` (B = name + ".backup"):
//  - off: nothing;
//  - "Only first": when B does not exist and the file does, rename it to B;
//  - "Overwrite": delete B, then rename the file to B, so the previous
//    version is always kept;
//  - "Stop if exists": rename the file to B; fails when B is in the way.
// A failed rename logs "Cannot create backup file." as an error to rep.
bool backupStep(const std::string& folder, const std::string& name, const BackupOptions& opt, Reporter& rep);

struct SaveRequest {
  std::string folder;  // ends with the path separator
  std::string name;    // file name inside folder
  BackupOptions backup;
  // Index and movie-object files: copy the written file into folder +
  // "BACKUP/" when "Save to BACKUP dir" is on.
  bool copyToBackupDir = false;
  // Writing to a chosen output file (command line -o): no backup step.
  bool noBackup = false;
};

// Writes the bytes to a temporary file beside the target, runs the backup
// step and renames the temporary file over the target. Any failure is logged as an error to rep, removes the temporary file and
// leaves the target as it was. Returns true when the file was written.
//
// What is replaced keeps what it was: a target that is a symbolic link is
// written through (the file it names is replaced, beside which the backup
// step works; the link stays), the new file gets the old one's permission
// bits (and, for root, its owner), and a file the user may not write is
// refused even when its folder would let the rename through.
bool saveFile(const SaveRequest& req, const Bytes& bytes, Reporter& rep);

// The name of the temporary file that a save of `path` writes first: a
// hidden file in the same folder, so that the rename stays on one device.
std::string tempNameFor(const std::string& path);

// Writes bytes to path through a temporary file and a rename, no backup,
// keeping links, mode and write permission as saveFile does.
bool writeFileAtomic(const std::string& path, const Bytes& bytes, std::string* error);

}  // namespace mirdal
