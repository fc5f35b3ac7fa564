// The IG stream of a clip up to the end of its first display set, in .mnu
// framing: all a menu load reads, and on a feature's stream only its first
// megabytes instead of gigabytes.
#pragma once

#include "stream/demux.h"

namespace mirdal {

class Reporter;

class FirstDisplaySetSink final : public ExportSink {
 public:
  bool write(const std::uint8_t* p, std::size_t n) override;
  std::uint64_t size() const override { return data.size(); }
  bool truncate(std::uint64_t size) override;
  bool done() const override { return done_; }
  Bytes data;

 private:
  std::size_t next_ = 0;  // where the next whole segment starts in data
  bool done_ = false;
};

// The same as extractIgStream into memory, stopping after the first END
// segment.
DemuxResult extractFirstDisplaySet(const std::string& m2ts, std::uint16_t pid, Bytes& mnu, Reporter& rep);

}  // namespace mirdal
