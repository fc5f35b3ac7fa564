#include "check/first_display_set.h"

#include "core/report.h"

namespace mirdal {

namespace {

// A .mnu segment: "IG", PTS, DTS (4 bytes each), type, 16-bit length.
constexpr std::size_t kHeader = 13;
constexpr std::uint8_t kEndSegment = 0x80;

}  // namespace

bool FirstDisplaySetSink::write(const std::uint8_t* p, std::size_t n) {
  if (done_) return true;
  data.insert(data.end(), p, p + n);
  while (next_ + kHeader <= data.size()) {
    const std::size_t length = (std::size_t(data[next_ + 11]) << 8) | data[next_ + 12];
    if (next_ + kHeader + length > data.size()) break;
    const bool end = data[next_ + 10] == kEndSegment;
    next_ += kHeader + length;
    if (end) {
      data.resize(next_);  // what follows belongs to the next display set
      done_ = true;
      break;
    }
  }
  return true;
}

bool FirstDisplaySetSink::truncate(std::uint64_t size) {
  if (size < data.size()) data.resize(std::size_t(size));
  if (next_ > data.size()) next_ = 0;  // framing lost: look again from the start
  return true;
}

DemuxResult extractFirstDisplaySet(const std::string& m2ts, std::uint16_t pid, Bytes& mnu, Reporter& rep) {
  DemuxOptions opt;
  opt.report = &rep;
  opt.pid = pid;
  opt.mode = ExportMode::MNU;
  opt.logPesLines = false;
  opt.progress = false;
  FirstDisplaySetSink sink;
  const DemuxResult r = demux(m2ts, sink, opt);
  mnu = std::move(sink.data);
  return r;
}

}  // namespace mirdal
