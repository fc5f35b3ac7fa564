#include "core/save.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/follow_links.h"
#include "core/report.h"

#ifdef __unix__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mirdal {

namespace fs = std::filesystem;

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

namespace {

// What the file being replaced asks of its replacement: its permission bits
// and owner, kept so that a 0444 or 0600 file does not come back 0644.
struct Keep {
  bool exists = false;
#ifdef __unix__
  mode_t mode = 0;
  uid_t uid = 0;
  gid_t gid = 0;
#endif
};

Keep keepOf(const fs::path& target) {
  Keep k;
#ifdef __unix__
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    k.exists = true;
    k.mode = st.st_mode & 07777;
    k.uid = st.st_uid;
    k.gid = st.st_gid;
  }
#else
  std::error_code ec;
  k.exists = fs::is_regular_file(target, ec);
#endif
  return k;
}

// The user may replace only a file he may write: the folder's write
// permission alone would let the rename through. Empty when he may.
std::string refusalFor(const fs::path& target, const Keep& keep) {
#ifdef __unix__
  if (keep.exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    return std::strerror(errno);
#else
  (void)target;
  (void)keep;
#endif
  return {};
}

// Writes the temporary file. It is created readable by its owner only and
// gets the kept mode when it is complete, so the content of a private file
// is never readable by others on the way.
bool writeWhole(const std::string& path, const Bytes& bytes, const Keep& keep, std::string* error) {
#ifdef __unix__
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, keep.exists ? 0600 : 0666);
  if (fd < 0) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += std::size_t(n);
  }
  if (ok && keep.exists) {
    // Only root may give the file to another owner; a failed chown leaves
    // the user's own file, which is what a non-root save makes anyway.
    if (::geteuid() == 0 && ::fchown(fd, keep.uid, keep.gid) != 0) {
      // The file stays root's: still written, with the kept mode.
    }
    ok = ::fchmod(fd, keep.mode) == 0;
  }
  ok = ok && ::fsync(fd) == 0;
  if (!ok && error) *error = std::strerror(errno ? errno : EIO);
  ok = ::close(fd) == 0 && ok;
  return ok;
#else
  (void)keep;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  if (!ok && error) *error = std::strerror(errno);
  ok = std::fclose(f) == 0 && ok;
  return ok;
#endif
}

}  // namespace

bool backupStep(const std::string& folder, const std::string& name, const BackupOptions& opt, Reporter& rep) {
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
  if (!ok) rep.logError("Cannot create backup file.");
  return ok;
}

bool writeFileAtomic(const std::string& path, const Bytes& bytes, std::string* error) {
  std::string linked;
  if (!followLinks(path, linked, error)) return false;
  const fs::path target = linked;
  const Keep keep = keepOf(target);
  if (const std::string refused = refusalFor(target, keep); !refused.empty()) {
    if (error) *error = refused;
    return false;
  }
  const std::string tmp = tempNameFor(target.string());
  if (!writeWhole(tmp, bytes, keep, error)) {
    std::error_code ec;
    fs::remove(tmp, ec);
    return false;
  }
  std::error_code ec;
  fs::rename(tmp, target, ec);
  if (ec) {
    if (error) *error = ec.message();
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

bool saveFile(const SaveRequest& req, const Bytes& bytes, Reporter& rep) {
  const fs::path named = fs::path(req.folder) / req.name;
  // The file that is written: the one a link names. The backup step works
  // beside it, so the old content is what gets backed up.
  std::string linked, err;
  if (!followLinks(named.string(), linked, &err)) {
    rep.logError("Cannot create " + named.string() + " (" + err + ")");
    return false;
  }
  const fs::path target = linked;
  const std::string folder = target.has_parent_path() ? target.parent_path().string() + "/" : std::string();
  const std::string name = target.filename().string();
  const std::string tmp = tempNameFor(target.string());
  std::error_code ec;

  if (fs::exists(target, ec) && !fs::is_regular_file(target, ec)) {
    rep.logError("Cannot create " + named.string() + " (not a file)");
    return false;
  }
  const Keep keep = keepOf(target);
  if (const std::string refused = refusalFor(target, keep); !refused.empty()) {
    rep.logError("Cannot write " + named.string() + " (" + refused + ")");
    return false;
  }
  // The new content goes to disk first: if that fails nothing has changed.
  if (!writeWhole(tmp, bytes, keep, &err)) {
    fs::remove(tmp, ec);
    rep.logError("Cannot create " + named.string() + " (" + err + ")");
    return false;
  }
  if (!req.noBackup && !backupStep(folder, name, req.backup, rep)) {
    fs::remove(tmp, ec);
    return false;
  }
  fs::rename(tmp, target, ec);
  if (ec) {
    const std::string msg = ec.message();
    fs::remove(tmp, ec);
    // The backup step may have moved the old file aside; bring it back.
    const fs::path backup = fs::path(folder) / (name + ".backup");
    if (!req.noBackup && req.backup.createBackup && !fs::exists(target, ec) && fs::exists(backup, ec))
      fs::copy_file(backup, target, ec);
    rep.logError("Cannot create " + named.string() + " (" + msg + ")");
    return false;
  }
  if (req.copyToBackupDir && req.backup.saveToBackupDir && !req.noBackup) {
    // A failed copy into BACKUP is not reported.
    fs::copy_file(target, fs::path(req.folder) / "BACKUP" / req.name,
                  fs::copy_options::overwrite_existing, ec);
  }
  rep.fileSaved(req.name);
  return true;
}

}  // namespace mirdal
