// The stop request of one long operation (a stream export, a menu read from
// a stream). The caller makes one per operation and hands it down; Cancel
// or an interrupt requests it. A token lives no longer than its operation,
// so a stop meant for one operation never reaches the next.
#pragma once

#include <atomic>

namespace mirdal {

class CancelToken {
 public:
  void request() { requested_.store(true, std::memory_order_relaxed); }
  bool requested() const { return requested_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> requested_{false};
};

// For callers that never cancel.
inline const CancelToken& neverCancelled() {
  static const CancelToken token;
  return token;
}

}  // namespace mirdal
