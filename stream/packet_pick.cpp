#include "stream/packet_pick.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <cstring>

#include "stream/source_packet.h"

namespace mirdal {

std::size_t pickPackets(const std::uint8_t* packets, std::size_t n, const PacketPick& pick,
                        PickedPacket* out, std::uint8_t* copyTo) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* sp = packets + i * kSourcePacketSize;
    if (!hasSyncByte(sp)) {
      out[count++] = {std::uint32_t(i), nullptr};
      continue;
    }
    const std::uint32_t pid = packetPid(sp);
    if (pid != pick.pid && pid != pick.alsoPid) continue;
    if (copyTo) {
      std::uint8_t* copy = copyTo + count * kSourcePacketSize;
      std::memcpy(copy, sp, kSourcePacketSize);
      sp = copy;
    }
    out[count++] = {std::uint32_t(i), sp};
  }
  return count;
}

namespace {

// The guarded read in progress on this thread, if any.
thread_local sigjmp_buf* guardedRead = nullptr;
struct sigaction previousBusAction;

void onBusError(int sig, siginfo_t* info, void* context) {
  if (sigjmp_buf* jump = guardedRead) {
    guardedRead = nullptr;
    siglongjmp(*jump, 1);
  }
  // Not a guarded read: what was there before handles it.
  if (previousBusAction.sa_flags & SA_SIGINFO) {
    if (previousBusAction.sa_sigaction) previousBusAction.sa_sigaction(sig, info, context);
    return;
  }
  if (previousBusAction.sa_handler != SIG_DFL && previousBusAction.sa_handler != SIG_IGN) {
    previousBusAction.sa_handler(sig);
    return;
  }
  // Returning runs the faulting access again, which now ends the process
  // as it would have without this handler.
  std::signal(SIGBUS, SIG_DFL);
}

bool installBusHandler() {
  static const bool installed = [] {
    struct sigaction sa {};
    sa.sa_sigaction = onBusError;
    // SA_NODEFER: the jump out of the handler leaves SIGBUS unblocked.
    sa.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&sa.sa_mask);
    return ::sigaction(SIGBUS, &sa, &previousBusAction) == 0;
  }();
  return installed;
}

}  // namespace

// Between the jump target and the faulting load lie only this frame and
// pickPackets', neither holding anything to destroy, so leaving them by
// the jump loses nothing.
bool pickMappedPackets(const std::uint8_t* packets, std::size_t n, const PacketPick& pick,
                       PickedPacket* out, std::uint8_t* copyTo, std::size_t& count) {
  if (!installBusHandler()) return false;
  sigjmp_buf jump;
  if (sigsetjmp(jump, 0) != 0) return false;
  guardedRead = &jump;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  count = pickPackets(packets, n, pick, out, copyTo);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  guardedRead = nullptr;
  return true;
}

// ---- SourcePacketReader: the mapped path and picking ----

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
