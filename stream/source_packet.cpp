#include "stream/source_packet.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace mirdal {

PesHeader parsePesHeader(const std::uint8_t* payload, std::size_t size) {
  PesHeader h;
  if (size < 6) return h;
  h.streamId = payload[3];
  h.pesPacketLength = std::uint16_t(payload[4] << 8 | payload[5]);
  if (size < 9) return h;
  const std::uint8_t flags = payload[7] >> 6;
  h.headerDataLength = payload[8];
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

namespace {

constexpr std::size_t kTsPacketSize = 188;
constexpr std::size_t kLayoutPackets = 16;        // packets looked at per guess
constexpr std::size_t kMaxJunkPrefix = 64 * 1024;  // offsets tried

// Whether the packets of `packetSize` from `offset` carry their sync byte:
// at most one in four missing, and the first one present unless `atStart`.
bool syncRun(const std::uint8_t* head, std::size_t size, std::size_t offset, std::size_t packetSize,
             bool atStart) {
  const std::size_t syncAt = packetSize == kSourcePacketSize ? 4 : 0;
  if (offset >= size) return false;
  const std::size_t n = std::min(kLayoutPackets, (size - offset) / packetSize);
  if (n == 0) return false;
  if (!atStart && head[offset + syncAt] != kSyncByte) return false;
  std::size_t hits = 0;
  for (std::size_t k = 0; k < n; ++k) hits += head[offset + k * packetSize + syncAt] == kSyncByte ? 1 : 0;
  return hits * 4 >= n * 3;
}

}  // namespace

PacketLayout detectPacketLayout(const std::uint8_t* head, std::size_t size) {
  if (size < kTsPacketSize || syncRun(head, size, 0, kSourcePacketSize, true)) return {};
  const std::size_t last = std::min(size - 1, kMaxJunkPrefix);
  for (std::size_t o = 0; o <= last; ++o) {
    // A run that starts a multiple of 192 bytes in follows damaged packets
    // of a source-packet file, not a prefix: they are read as lost packets.
    if (syncRun(head, size, o, kSourcePacketSize, false))
      return {kSourcePacketSize, o % kSourcePacketSize == 0 ? 0 : o, true};
    if (syncRun(head, size, o, kTsPacketSize, false)) return {kTsPacketSize, o, true};
  }
  return {kSourcePacketSize, 0, false};
}

SourcePacketReader::SourcePacketReader(std::size_t bufferPackets)
    : buf_((bufferPackets ? bufferPackets : 1) * kSourcePacketSize) {}

SourcePacketReader::~SourcePacketReader() { close(); }

bool SourcePacketReader::open(const std::string& path, std::string* error) {
  close();
  failed_ = false;
  error_.clear();
  layout_ = {};
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
  std::vector<std::uint8_t> head(std::size_t(std::min<std::uint64_t>(size_, kLayoutProbeBytes)));
  std::size_t got = 0;
  if (!readWhole(head.data(), head.size(), got)) {
    if (error) *error = error_;
    close();
    return false;
  }
  layout_ = detectPacketLayout(head.data(), got);
  if (::lseek(fd_, off_t(layout_.offset), SEEK_SET) < 0) {
    if (error) *error = std::strerror(errno);
    close();
    return false;
  }
  pos_ = layout_.offset;
  mapping_ = allowMapping_ && layout_.packetSize == kSourcePacketSize;
  bufNext_ = bufCount_ = 0;
  if (layout_.packetSize != kSourcePacketSize) raw_.resize(buf_.size() / kSourcePacketSize * layout_.packetSize);
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
  return true;
}

void SourcePacketReader::close() {
  unmap();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SourcePacketReader::readWhole(std::uint8_t* into, std::size_t n, std::size_t& got) {
  got = 0;
  while (got < n) {
    const ssize_t r = ::read(fd_, into + got, n - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
      error_ = std::strerror(errno);
      return false;
    }
    if (r == 0) break;
    got += std::size_t(r);
  }
  return true;
}

std::size_t SourcePacketReader::readPackets(const std::uint8_t*& packets) {
  packets = buf_.data();
  if (fd_ < 0 || failed_) return 0;
  const std::size_t size = layout_.packetSize;
  std::uint8_t* into = size == kSourcePacketSize ? buf_.data() : raw_.data();
  std::size_t filled = 0;
  readWhole(into, buf_.size() / kSourcePacketSize * size, filled);
  pos_ += filled;
  // A file that grew or shrank while being read: only whole packets count,
  // and the bytes of a partial packet at the end are never handed out.
  const std::size_t n = filled / size;
  if (size != kSourcePacketSize) {
    for (std::size_t i = 0; i < n; ++i) {
      std::uint8_t* sp = buf_.data() + i * kSourcePacketSize;
      std::fill_n(sp, kSourcePacketSize - size, std::uint8_t(0));
      std::copy_n(raw_.data() + i * size, size, sp + kSourcePacketSize - size);
    }
  }
  return n;
}

// ---- Picking packets: the mapped window, or the read buffer ----
namespace {

// A window of the file mapped at a time: large enough that mapping costs
// little per byte, small enough that the pages it holds stay a small part
// of the process's memory.
constexpr std::size_t kMapWindow = 16u << 20;

}  // namespace

void SourcePacketReader::unmap() {
  if (map_) ::munmap(const_cast<std::uint8_t*>(map_), mapLength_);
  map_ = nullptr;
  mapLength_ = 0;
}

SourcePacketReader::MapResult SourcePacketReader::mapFrom() {
  unmap();
  if (pos_ + kSourcePacketSize > size_) {
    // A file that grows while it is read is read on.
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && std::uint64_t(st.st_size) > size_) size_ = std::uint64_t(st.st_size);
    if (pos_ + kSourcePacketSize > size_) return MapResult::End;
  }
  mapOffset_ = pos_ / kPageSize * kPageSize;
  mapLength_ = std::size_t(std::min<std::uint64_t>(kMapWindow, size_ - mapOffset_));
  int flags = MAP_SHARED;
#ifdef MAP_POPULATE
  // The window's pages are entered at once rather than a fault at a time.
  flags |= MAP_POPULATE;
#endif
  void* p = ::mmap(nullptr, mapLength_, PROT_READ, flags, fd_, off_t(mapOffset_));
  if (p == MAP_FAILED) {
    mapLength_ = 0;
    return MapResult::Failed;
  }
  map_ = static_cast<const std::uint8_t*>(p);
  return MapResult::Mapped;
}

std::size_t SourcePacketReader::pickPackets(std::size_t maxPackets, const PacketPick& pick, PickedPackets& picked) {
  picked.count = 0;
  if (fd_ < 0 || failed_ || maxPackets == 0) return 0;
  maxPackets = std::min(maxPackets, buf_.size() / kSourcePacketSize);
  if (picked.list.size() < maxPackets) picked.list.resize(maxPackets);
  if (mapping_) {
    if (!map_ || pos_ + kSourcePacketSize > mapOffset_ + mapLength_) {
      switch (mapFrom()) {
        case MapResult::End:
          return 0;
        case MapResult::Failed:
          // Read instead, from where the mapping stopped.
          mapping_ = false;
          if (::lseek(fd_, off_t(pos_), SEEK_SET) < 0) {
            failed_ = true;
            error_ = std::strerror(errno);
            return 0;
          }
          return pickPackets(maxPackets, pick, picked);
        case MapResult::Mapped:
          break;
      }
    }
    const std::size_t n = std::min<std::size_t>(maxPackets, (mapOffset_ + mapLength_ - pos_) / kSourcePacketSize);
    if (picked.copies.size() < n * kSourcePacketSize) picked.copies.resize(buf_.size());
    if (!pickMappedPackets(map_ + (pos_ - mapOffset_), n, pick, picked.list.data(), picked.copies.data(),
                           picked.count)) {
      failed_ = true;
      error_ = std::strerror(EIO);
      picked.count = 0;
      unmap();
      return 0;
    }
    pos_ += n * kSourcePacketSize;
    return n;
  }
  if (bufNext_ == bufCount_) {
    const std::uint8_t* packets = nullptr;
    bufCount_ = readPackets(packets);
    bufNext_ = 0;
    if (bufCount_ == 0) return 0;
  }
  const std::size_t n = std::min(maxPackets, bufCount_ - bufNext_);
  picked.count = mirdal::pickPackets(buf_.data() + bufNext_ * kSourcePacketSize, n, pick, picked.list.data(), nullptr);
  bufNext_ += n;
  return n;
}

}  // namespace mirdal
