#include "core/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/follow_links.h"
#include "core/save.h"

namespace mirdal {

namespace fs = std::filesystem;

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool OutputFile::open(const std::string& path, std::string* error) {
  abandon();
  direct_ = keepMode_ = false;
  if (!followLinks(path, target_, error)) return false;
  struct stat st {};
  if (::stat(target_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      if (error) *error = "is a folder";
      return false;
    }
    if (!S_ISREG(st.st_mode)) {
      fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
      if (fd_ < 0 && error) *error = std::strerror(errno);
      direct_ = fd_ >= 0;
      return fd_ >= 0;
    }
    // Replacing by a rename needs only the folder's permission: the file's
    // own must be asked for, as writing in place would.
    if (::access(target_.c_str(), W_OK) != 0) {
      if (error) *error = std::strerror(errno);
      return false;
    }
    keepMode_ = true;
    mode_ = unsigned(st.st_mode & 07777);
  }
  const std::string temp = tempNameFor(target_);
  fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  temp_ = temp;
  if (keepMode_) ::fchmod(fd_, mode_t(mode_));
  return true;
}

bool OutputFile::commit(std::string* error) {
  if (fd_ < 0) return temp_.empty();
  int failure = 0;
  // The sync makes sure the data is on the disk before the rename puts it
  // in place of a file that was there: a crash between the two must not
  // leave an empty file instead of the old one. A new file replaces
  // nothing, so it has nothing to lose and is not synced: syncing the
  // gigabytes of a stream export cost more than reading its input.
  if (!direct_ && keepMode_ && ::fsync(fd_) != 0 && errno != EINVAL) failure = errno;
  if (::close(fd_) != 0 && failure == 0) failure = errno;
  fd_ = -1;
  if (direct_) {
    if (failure && error) *error = std::strerror(failure);
    return failure == 0;
  }
  if (failure == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) failure = errno;
  if (failure) {
    if (error) *error = std::strerror(failure);
    abandon();
    return false;
  }
  temp_.clear();
  return true;
}

bool writeOutput(const std::string& path, const Bytes& bytes, std::string* error) {
  OutputFile f;
  if (!f.open(path, error)) return false;
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(f.fd(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (error) *error = std::strerror(n == 0 ? ENOSPC : errno);
      return false;
    }
    done += std::size_t(n);
  }
  return f.commit(error);
}

void OutputFile::abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

}  // namespace mirdal
