#include "stream/source_packet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace mirdal {

PesHeader parsePesHeader(const std::uint8_t* payload, std::size_t size) {
  PesHeader h;
  if (size < 6) return h;
  h.stream_id = payload[3];
  h.PES_packet_length = std::uint16_t(payload[4] << 8 | payload[5]);
  if (size < 9) return h;
  const std::uint8_t flags = payload[7] >> 6;
  h.header_data_length = payload[8];
  if (flags != 0 && size >= 14) {
    h.hasPts = true;
    h.pts = pesTime(payload + 9);
  }
  if (flags == 3 && size >= 19) {
    h.hasDts = true;
    h.dts = pesTime(payload + 14);
  }
  return h;
}

SourcePacketReader::SourcePacketReader(std::size_t bufferPackets)
    : buf_((bufferPackets ? bufferPackets : 1) * kSourcePacketSize) {}

SourcePacketReader::~SourcePacketReader() { close(); }

bool SourcePacketReader::open(const std::string& path, std::string* error) {
  close();
  failed_ = false;
  error_.clear();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    if (error) *error = S_ISDIR(st.st_mode) ? "is a folder" : "not a regular file";
    close();
    return false;
  }
  size_ = std::uint64_t(st.st_size);
  pos_ = 0;
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
  return true;
}

void SourcePacketReader::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::size_t SourcePacketReader::readPackets(const std::uint8_t*& packets) {
  packets = buf_.data();
  if (fd_ < 0 || failed_) return 0;
  std::size_t filled = 0;
  while (filled < buf_.size()) {
    const ssize_t n = ::read(fd_, buf_.data() + filled, buf_.size() - filled);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
      error_ = std::strerror(errno);
      break;
    }
    if (n == 0) break;
    filled += std::size_t(n);
  }
  pos_ += filled;
  // A file that grew or shrank while being read: only whole packets count,
  // and the bytes of a partial packet at the end are never handed out.
  return filled / kSourcePacketSize;
}

}  // namespace mirdal
