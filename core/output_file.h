// A file written piece by piece (a stream export of gigabytes) with the
// promise of the save routine: a regular file, or a new one, is written to a
// temporary file beside it and put in its place only by commit(), so a
// failed, abandoned or killed write leaves the file that was there. A
// device or a pipe (-o /dev/null, a FIFO) cannot be replaced: it is written
// directly, and never removed.
#pragma once

#include <string>

#include "core/fields.h"

namespace mirdal {

// Whether two paths name the same file (device and inode, after following
// links). False when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { abandon(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Opens `path` for writing. A link is followed to the file it names,
  // which is replaced in place of the link. Refused, with the reason in
  // `error`: a folder, an existing file the user may not write, a folder in
  // which the temporary file cannot be made.
  bool open(const std::string& path, std::string* error);

  int fd() const { return fd_; }
  // A device or a pipe, written in place: what was written stays written.
  bool direct() const { return direct_; }

  // Closes; a regular file takes the mode of the file it replaces and is
  // renamed over it. False, with the reason, when that fails (the temporary
  // file is then removed and the old file stays).
  bool commit(std::string* error);
  // Closes and removes the temporary file, if any: the target stays as it
  // was. Nothing else is ever removed.
  void abandon();

 private:
  int fd_ = -1;
  bool direct_ = false;
  std::string target_;  // the file replaced (links followed)
  std::string temp_;    // the temporary file, while it exists
  bool keepMode_ = false;
  unsigned mode_ = 0;
};

// Writes `bytes` to `path` as an OutputFile: a file through a temporary
// file and a rename, a device or pipe directly. False, with the reason in
// `error`, when that fails; the file that was there then stays.
bool writeOutput(const std::string& path, const Bytes& bytes, std::string* error);

}  // namespace mirdal
