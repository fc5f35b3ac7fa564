#include "core/save.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/report.h"

#ifdef __unix__
#include <unistd.h>
#endif

namespace mirdal {

namespace fs = std::filesystem;

namespace {

std::string tempNameFor(const std::string& path) {
  static unsigned counter = 0;
  const fs::path p(path);
  std::string name = "." + p.filename().string() + ".mirdal-" +
#ifdef __unix__
                     std::to_string(::getpid()) + "-" +
#endif
                     std::to_string(++counter) + ".tmp";
  return (p.parent_path() / name).string();
}

bool writeWhole(const std::string& path, const Bytes& bytes, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
#ifdef __unix__
  if (ok) ::fsync(fileno(f));
#endif
  if (!ok && error) *error = std::strerror(errno);
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

bool backupStep(const std::string& folder, const std::string& name, const BackupOptions& opt) {
  if (!opt.createBackup) return true;
  const fs::path file = fs::path(folder) / name;
  const fs::path backup = fs::path(folder) / (name + ".backup");
  std::error_code ec;
  const bool fileExists = fs::exists(file, ec);
  bool ok = true;
  switch (opt.mode) {
    case BackupMode::OnlyFirst:
      if (!fs::exists(backup, ec) && fileExists) {
        fs::rename(file, backup, ec);
        ok = !ec;
      }
      break;
    case BackupMode::Overwrite:
      if (fileExists) {
        fs::remove(backup, ec);
        ec.clear();
        fs::rename(file, backup, ec);
        ok = !ec;
      }
      break;
    case BackupMode::StopIfExists:
      // An older backup in the way makes this mode refuse to go on.
      if (fileExists) {
        if (fs::exists(backup, ec)) ok = false;
        else {
          fs::rename(file, backup, ec);
          ok = !ec;
        }
      }
      break;
  }
  if (!ok) erlog("Cannot create backup file.");
  return ok;
}

bool writeFileAtomic(const std::string& path, const Bytes& bytes, std::string* error) {
  const std::string tmp = tempNameFor(path);
  if (!writeWhole(tmp, bytes, error)) {
    std::error_code ec;
    fs::remove(tmp, ec);
    return false;
  }
  std::error_code ec;
  fs::rename(tmp, path, ec);
  if (ec) {
    if (error) *error = ec.message();
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

bool saveFile(const SaveRequest& req, const Bytes& bytes) {
  setErrorFlag(false);
  const fs::path target = fs::path(req.folder) / req.name;
  const std::string tmp = tempNameFor(target.string());
  std::string err;
  std::error_code ec;

  if (fs::exists(target, ec) && !fs::is_regular_file(target, ec)) {
    erlog("Cannot create " + target.string() + " (not a file)");
    return false;
  }
  // The new content goes to disk first: if that fails nothing has changed.
  if (!writeWhole(tmp, bytes, &err)) {
    fs::remove(tmp, ec);
    erlog("Cannot create " + target.string() + " (" + err + ")");
    return false;
  }
  if (!req.noBackup) backupStep(req.folder, req.name, req.backup);
  if (errorFlag()) {
    fs::remove(tmp, ec);
    return false;
  }
  fs::rename(tmp, target, ec);
  if (ec) {
    const std::string msg = ec.message();
    fs::remove(tmp, ec);
    // The backup step may have moved the old file aside; bring it back.
    const fs::path backup = fs::path(req.folder) / (req.name + ".backup");
    if (!req.noBackup && req.backup.createBackup && !fs::exists(target, ec) && fs::exists(backup, ec))
      fs::copy_file(backup, target, ec);
    erlog("Cannot create " + target.string() + " (" + msg + ")");
    return false;
  }
  if (req.copyToBackupDir && req.backup.saveToBackupDir && !req.noBackup) {
    // A failed copy into BACKUP is not reported.
    fs::copy_file(target, fs::path(req.folder) / "BACKUP" / req.name,
                  fs::copy_options::overwrite_existing, ec);
  }
  reporter().fileSaved(req.name);
  return true;
}

}  // namespace mirdal
