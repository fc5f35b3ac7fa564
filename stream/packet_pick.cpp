#include "stream/packet_pick.h"

#include <atomic>
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

}  // namespace mirdal
