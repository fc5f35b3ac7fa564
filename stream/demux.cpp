#include "stream/demux.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/display_text.h"
#include "core/report.h"
#include "core/tick_text.h"

namespace mirdal {

// --- FileSink ---

// A quarter megabyte: large enough for few writes, small enough to stay in
// the cache until the kernel copies it.
FileSink::FileSink() : buf_(256 << 10) {}

FileSink::~FileSink() { abandon(); }

bool FileSink::create(const std::string& path) {
  abandon();
  failed_ = false;
  error_.clear();
  written_ = 0;
  fill_ = 0;
  if (file_.open(path, &error_)) return true;
  failed_ = true;
  return false;
}

void FileSink::fail() {
  if (!failed_) error_ = std::strerror(errno ? errno : EIO);
  failed_ = true;
}

bool FileSink::flush() {
  std::size_t done = 0;
  while (!failed_ && done < fill_) {
    const ssize_t n = ::write(file_.fd(), buf_.data() + done, fill_ - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      fail();
      break;
    }
    done += std::size_t(n);
    written_ += std::uint64_t(n);
  }
  fill_ = 0;
  return !failed_;
}

bool FileSink::write(const std::uint8_t* p, std::size_t n) {
  if (failed_ || file_.fd() < 0) return false;
  while (n > 0) {
    const std::size_t take = std::min(n, buf_.size() - fill_);
    std::memcpy(buf_.data() + fill_, p, take);
    fill_ += take;
    p += take;
    n -= take;
    if (fill_ == buf_.size() && !flush()) return false;
  }
  return true;
}

bool FileSink::truncate(std::uint64_t size) {
  if (failed_ || file_.fd() < 0) return false;
  if (size >= this->size()) return true;
  if (size >= written_) {
    fill_ = std::size_t(size - written_);
    return true;
  }
  fill_ = 0;
  // What a device or pipe was given cannot be taken back.
  if (file_.direct()) return true;
  if (::ftruncate(file_.fd(), off_t(size)) != 0 || ::lseek(file_.fd(), off_t(size), SEEK_SET) < 0) {
    fail();
    return false;
  }
  written_ = size;
  return true;
}

bool FileSink::close() {
  if (file_.fd() < 0) return !failed_;
  if (flush() && !file_.commit(&error_)) failed_ = true;
  if (failed_) file_.abandon();
  return !failed_;
}

void FileSink::abandon() {
  fill_ = 0;
  file_.abandon();
}

// --- The export loop ---

std::string pesLogLine(std::uint32_t pts, std::uint32_t dts, std::uint8_t segmentType,
                       std::uint32_t tpExtra) {
  return hexText(pts, 8) + ", " + hexText(dts, 8) + " : " + tickTimeText(pts, 90000) + ", " +
         tickTimeText(dts, 90000) + "   " + hexText(segmentType, 2) + "   " + hexText(tpExtra, 8);
}

namespace {

Reporter& reportOf(const DemuxOptions& opt) { return reporterOrSilent(opt.report); }

constexpr std::uint64_t kProgressEvery = 32768;
constexpr std::uint16_t kVideoPid = 0x1011;

class PidExporter {
 public:
  PidExporter(ExportSink& out, const DemuxOptions& opt) : out_(out), opt_(opt) {}

  // False when the export must stop (cancel at a PES start, failed output).
  bool packet(const std::uint8_t* sp, DemuxResult& res);
  // Cuts a PES packet the output is in the middle of.
  void dropUnfinishedPes();
  bool outputFailed() const { return outFailed_; }

  void noteVideoPts(const std::uint8_t* sp);

 private:
  bool put(const std::uint8_t* p, std::size_t n) {
    if (n && !out_.write(p, n)) outFailed_ = true;
    return !outFailed_;
  }
  bool pesPacket(const std::uint8_t* sp, const std::uint8_t* pl, std::size_t n, DemuxResult& res);
  bool pesStart(const std::uint8_t* sp, const std::uint8_t* pl, std::size_t n, DemuxResult& res);

  ExportSink& out_;
  const DemuxOptions& opt_;
  bool outFailed_ = false;

  // The PES packet the output is in.
  bool inPes_ = false;
  bool bounded_ = false;       // a pesPacketLength other than 0
  bool writing_ = false;       // its data goes to the output
  std::uint64_t left_ = 0;     // bytes of it still expected (bounded only)
  std::uint64_t pesBegin_ = 0; // output size where it began

  std::uint32_t pts_ = 0, dts_ = 0;  // header times of the last PES with a PTS
  bool videoSeen_ = false;
  std::uint32_t videoPts_ = 0;
};

void PidExporter::noteVideoPts(const std::uint8_t* sp) {
  if (videoSeen_ || !hasPayload(sp)) return;
  const PacketPayload p = packetPayload(sp);
  const std::uint8_t* pl = sp + p.offset;
  if (!isPesStart(pl, p.size)) return;
  const PesHeader h = parsePesHeader(pl, p.size);
  if (!h.hasPts) return;
  videoPts_ = h.pts;
  videoSeen_ = true;
}

bool PidExporter::packet(const std::uint8_t* sp, DemuxResult& res) {
  ++res.pidPackets;
  if (!hasPayload(sp)) return true;
  const PacketPayload p = packetPayload(sp);
  if (p.size == 0) return true;
  const std::uint8_t* pl = sp + p.offset;
  if (opt_.mode == ExportMode::PES) return pesPacket(sp, pl, p.size, res);

  // The unit start flag ends the PES packet before, whatever its length
  // says: after a lost packet that one is short, and counting on its
  // length would take the next PES header for data. A unit start that
  // brings no PES header begins nothing we can use.
  if (payloadUnitStart(sp)) {
    if (isPesStart(pl, p.size)) return pesStart(sp, pl, p.size, res);
    inPes_ = false;
    return true;
  }
  if (!inPes_) return true;
  std::size_t n = p.size;
  if (bounded_) {
    n = std::size_t(std::min<std::uint64_t>(n, left_));
    left_ -= n;
  }
  return writing_ ? put(pl, n) : true;
}

bool PidExporter::pesStart(const std::uint8_t* sp, const std::uint8_t* pl, std::size_t n,
                           DemuxResult& res) {
  if (opt_.cancel && opt_.cancel->requested()) {
    res.cancelled = true;
    return false;
  }
  const PesHeader h = parsePesHeader(pl, n);
  inPes_ = true;
  bounded_ = h.pesPacketLength != 0;
  pesBegin_ = out_.size();
  writing_ = false;
  left_ = 0;
  // Private stream 2 (text subtitles) carries its data right after the
  // 6-byte start; the other header-less streams (padding, ECM, ...) are
  // not part of the elementary stream.
  const bool privateStream2 = h.streamId == kPrivateStream2;
  const std::size_t dataStart = privateStream2 ? 6 : 9 + std::size_t(h.headerDataLength);
  if ((isHeaderlessStreamId(h.streamId) && !privateStream2) || dataStart > n ||
      (bounded_ && h.pesPacketLength < dataStart - 6)) {
    // Not exported, or a header that does not fit its packet: the PES
    // packet is passed over whole.
    if (bounded_) left_ = std::uint64_t(h.pesPacketLength) - std::min<std::uint64_t>(h.pesPacketLength, n - 6);
    return true;
  }
  writing_ = true;
  std::size_t d = n - dataStart;
  if (bounded_) {
    const std::uint64_t total = h.pesPacketLength - (dataStart - 6);
    d = std::size_t(std::min<std::uint64_t>(d, total));
    left_ = total - d;
  }
  ++res.pesPackets;
  if (opt_.mode == ExportMode::SUP || opt_.mode == ExportMode::MNU) {
    if (h.hasPts) {
      const bool relative = opt_.mode == ExportMode::SUP && !opt_.absoluteTimes && videoSeen_;
      const std::uint32_t base = relative ? videoPts_ : 0;
      pts_ = h.pts - base;
      dts_ = h.hasDts ? h.dts - base : 0;
      if (opt_.logPesLines)
        reportOf(opt_).log(pesLogLine(pts_, dts_, d ? pl[dataStart] : 0, tpExtraHeader(sp)));
    }
    const std::uint8_t head[10] = {std::uint8_t(opt_.mode == ExportMode::SUP ? 'P' : 'I'), 'G',
                                   std::uint8_t(pts_ >> 24), std::uint8_t(pts_ >> 16),
                                   std::uint8_t(pts_ >> 8), std::uint8_t(pts_),
                                   std::uint8_t(dts_ >> 24), std::uint8_t(dts_ >> 16),
                                   std::uint8_t(dts_ >> 8), std::uint8_t(dts_)};
    if (!put(head, sizeof head)) return false;
  }
  return put(pl + dataStart, d);
}

bool PidExporter::pesPacket(const std::uint8_t* sp, const std::uint8_t* pl, std::size_t n,
                            DemuxResult& res) {
  if (payloadUnitStart(sp) && isPesStart(pl, n)) {
    if (opt_.cancel && opt_.cancel->requested()) {
      res.cancelled = true;
      return false;
    }
    const PesHeader h = parsePesHeader(pl, n);
    inPes_ = writing_ = true;
    bounded_ = h.pesPacketLength != 0;
    pesBegin_ = out_.size();
    const std::uint64_t whole = 6 + std::uint64_t(h.pesPacketLength);
    left_ = whole - std::min<std::uint64_t>(whole, n);
    ++res.pesPackets;
  } else if (inPes_ && bounded_) {
    left_ -= std::min<std::uint64_t>(left_, n);
  }
  return put(pl, n);
}

void PidExporter::dropUnfinishedPes() {
  if (!inPes_ || outFailed_) return;
  if (bounded_ && left_ == 0) return;
  if (!out_.truncate(pesBegin_)) outFailed_ = true;
  inPes_ = false;
}

}  // namespace

DemuxResult demux(SourcePacketReader& in, ExportSink& out, const DemuxOptions& opt) {
  Reporter& rep = reportOf(opt);
  const auto start = std::chrono::steady_clock::now();
  DemuxResult res;
  PidExporter ex(out, opt);
  const std::uint64_t total = in.packetCount();
  const bool findVideo = opt.mode == ExportMode::SUP && !opt.absoluteTimes;
  std::uint64_t nextStep = kPacketsPerStep;
  std::uint64_t nextProgress = kProgressEvery;
  bool stop = false;

  // Null packets carry nothing to save: the null PID is never picked.
  PacketPick pick;
  if (opt.pid < kNullPid) pick.pid = opt.pid;
  if (findVideo) pick.alsoPid = kVideoPid;
  PickedPackets picked;
  while (!stop) {
    // Up to the next look at the user interface or the next progress.
    const std::uint64_t until = std::min(nextStep, nextProgress);
    const std::size_t n = in.pickPackets(std::size_t(until - res.packets), pick, picked);
    if (n == 0) break;
    std::size_t stepped = n;
    for (std::size_t k = 0; k < picked.count; ++k) {
      const PickedPacket& p = picked.list[k];
      if (!p.packet) {
        ++res.lostPackets;
        continue;
      }
      const std::uint16_t pid = packetPid(p.packet);
      if (findVideo && pid == kVideoPid) ex.noteVideoPts(p.packet);
      if (pid == opt.pid && (!ex.packet(p.packet, res) || out.done())) {
        stepped = p.index + 1;
        stop = true;
        break;
      }
    }
    res.packets += stepped;
    if (stop) break;
    if (res.packets == nextProgress) {
      nextProgress += kProgressEvery;
      if (opt.progress) rep.showProgress(res.packets, total, start);
    }
    if (res.packets == nextStep) {
      nextStep += kPacketsPerStep;
      rep.pumpEvents();
      if (opt.cancel && opt.cancel->requested()) {
        res.cancelled = true;
        ex.dropUnfinishedPes();
        stop = true;
      }
    }
  }
  res.failed = in.failed() || ex.outputFailed();
  res.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  return res;
}

namespace {

// Opens the stream and says how its packets lie when that is not the
// Blu-ray way; false, with the reason logged, when it cannot be read.
bool openStream(SourcePacketReader& in, const std::string& input, Reporter& rep) {
  std::string why;
  if (!in.open(input, &why)) {
    rep.logError("Cannot open " + input + " (" + why + ")");
    return false;
  }
  const PacketLayout& l = in.layout();
  if (!l.recognised) {
    rep.logError(input + " is not a transport stream: no packets of 192 or 188 bytes with their sync byte found.");
    return false;
  }
  if (l.packetSize != kSourcePacketSize)
    rep.log("  " + std::to_string(l.packetSize) + "-byte transport packets, read without arrival time stamps.");
  if (l.offset) rep.log("  " + std::to_string(l.offset) + " bytes before the first packet skipped.");
  return true;
}

// The export over an open stream, with its input failures reported.
DemuxResult runExport(SourcePacketReader& in, const std::string& input, ExportSink& out,
                      const DemuxOptions& opt) {
  Reporter& rep = reportOf(opt);
  DemuxResult res = demux(in, out, opt);
  if (in.failed()) {
    rep.logError("Cannot read " + input + " (" + in.errorText() + ")");
    res.failed = true;
  } else if (!res.failed && !res.cancelled && res.pidPackets == 0 && opt.requirePid) {
    rep.logError("The stream has no packets of PID 0x" + hexText(opt.pid, 4) + ": nothing written.");
    res.failed = true;
  }
  return res;
}

}  // namespace

DemuxResult demux(const std::string& input, ExportSink& out, const DemuxOptions& opt) {
  SourcePacketReader in;
  if (!openStream(in, input, reportOf(opt))) {
    DemuxResult res;
    res.failed = true;
    return res;
  }
  return runExport(in, input, out, opt);
}

DemuxResult demux(const std::string& input, const std::string& output, const DemuxOptions& opt) {
  Reporter& rep = reportOf(opt);
  DemuxResult res;
  res.failed = true;
  // Written through a temporary file or not, the stream would be gone
  // before it was read.
  if (sameFile(input, output)) {
    rep.logError("Cannot write " + output + ": it is the stream being read.");
    return res;
  }
  SourcePacketReader in;
  if (!openStream(in, input, rep)) return res;
  FileSink out;
  if (!out.create(output)) {
    rep.logError("Cannot create " + output + " (" + out.errorText() + ")");
    return res;
  }
  res = runExport(in, input, out, opt);
  if (!res.failed && out.close()) return res;
  if (out.failed()) rep.logError("Cannot write " + output + " (" + out.errorText() + ")");
  // The file that was there stays; a device or pipe keeps what it got.
  out.abandon();
  res.failed = true;
  return res;
}

}  // namespace mirdal
