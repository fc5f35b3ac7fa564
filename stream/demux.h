// Exporting the data of one PID of a stream file.
//
// Modes, by what is written for the PID's packets:
//  - PES: the transport packets' payloads unchanged (whole PES packets);
//  - Elementary: the PES packet data only, PES headers removed;
//  - SUP: per PES packet a 10-byte header "PG", PTS, DTS (32 bits each, big
//    endian) and the PES packet data; the times are made relative to the
//    first video PTS (PID 0x1011) unless absolute times are asked for;
//  - MNU: the same framing with "IG" and the stream's own times (the .mnu
//    file the menu loader reads).
//
// The reader streams the file: memory use does not grow with the file size.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "core/cancel_token.h"
#include "core/fields.h"
#include "core/output_file.h"
#include "core/report.h"
#include "stream/source_packet.h"

namespace mirdal {

enum class ExportMode { Elementary, PES, SUP, MNU };

// Where the exported bytes go. write() returns false once the output has
// failed; truncate() cuts the output back to a length already written.
class ExportSink {
 public:
  virtual ~ExportSink() = default;
  virtual bool write(const std::uint8_t* p, std::size_t n) = 0;
  virtual std::uint64_t size() const = 0;
  virtual bool truncate(std::uint64_t size) = 0;
  // True once the sink has all it wants: the demux stops reading there (a
  // menu check needs only the first display set of a feature-long stream).
  virtual bool done() const { return false; }
};

// The exported bytes in memory (tests, small IG streams).
class MemorySink final : public ExportSink {
 public:
  bool write(const std::uint8_t* p, std::size_t n) override {
    data.insert(data.end(), p, p + n);
    return true;
  }
  std::uint64_t size() const override { return data.size(); }
  bool truncate(std::uint64_t size) override {
    if (size < data.size()) data.resize(size);
    return true;
  }
  Bytes data;
};

// A file written through a large buffer and the save routine's rules
// (core/output_file.h): a regular file is written beside its place and put
// there by close(); a device or pipe is written directly. A failed create or
// write keeps the system's reason in errorText().
class FileSink final : public ExportSink {
 public:
  FileSink();
  ~FileSink() override;  // what was not closed is abandoned
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool create(const std::string& path);
  // Writes what is buffered and puts the file in place; false when that
  // fails, which leaves the file that was there.
  bool close();
  // Drops the output: the file that was there stays (a device or pipe
  // keeps what it was given).
  void abandon();

  bool write(const std::uint8_t* p, std::size_t n) override;
  std::uint64_t size() const override { return written_ + fill_; }
  bool truncate(std::uint64_t size) override;

  bool failed() const { return failed_; }
  const std::string& errorText() const { return error_; }

 private:
  bool flush();
  void fail();

  OutputFile file_;
  PageBuffer buf_;
  std::size_t fill_ = 0;
  std::uint64_t written_ = 0;
  bool failed_ = false;
  std::string error_;
};

struct DemuxOptions {
  std::uint16_t pid = 0x1400;
  ExportMode mode = ExportMode::Elementary;
  // SUP only: keep the stream's own times instead of times relative to the
  // first video PTS.
  bool absoluteTimes = false;
  // SUP and MNU: one log line per PES packet with a PTS.
  bool logPesLines = true;
  // The progress line and bar every 32,768 packets.
  bool progress = true;
  // File exports: a stream without packets of the PID is an error and
  // writes nothing (instead of an empty output).
  bool requirePid = false;
  // The operation's stop request, polled at PES starts and every 341
  // packets; none: the export runs to the end.
  const CancelToken* cancel = nullptr;
  // Where the export reports; none: nowhere (a trial run).
  Reporter* report = nullptr;
};

struct DemuxResult {
  std::uint64_t pidPackets = 0;   // source packets of the PID processed
  std::uint64_t packets = 0;      // source packets read, lost ones included
  std::uint64_t lostPackets = 0;  // packets without sync byte, skipped
  std::uint64_t pesPackets = 0;   // PES packets begun in the output
  bool cancelled = false;         // stopped by the cancel request
  bool failed = false;            // the input or the output failed
  std::chrono::milliseconds elapsed{0};
};

// The export loop over an open reader. Every 341 packets it handles pending
// user-interface events and looks at the cancel flag; the cancel flag is also
// looked at before each new PES packet of the PID. A cancelled export ends at
// a PES packet boundary: a PES packet the loop is inside of is cut off the
// output again. A packet whose sync byte is wrong is skipped alone and
// counted in lostPackets; a packet with the unit start flag and a PES
// header always begins a new PES packet, so the one that lost a packet ends
// short there and no header ever reaches an elementary output. Reports nothing but the per-PES log lines and the
// progress; failures come back in the result (reader.failed(), sink state).
DemuxResult demux(SourcePacketReader& in, ExportSink& out, const DemuxOptions& opt);

// The export of one stream file into a sink. An input that cannot be opened
// or read or is no transport stream is reported through logError, and so is,
// with requirePid, a stream without the PID; the result is then failed.
DemuxResult demux(const std::string& input, ExportSink& out, const DemuxOptions& opt);

// The export from one file into another. An input that cannot be opened or
// is no transport stream, an output that is the input or cannot be created,
// and a failed read or write are reported through logError. The output is
// written as FileSink writes it: after a failure the file that was there
// stays as it was. A cancelled export keeps its output.
DemuxResult demux(const std::string& input, const std::string& output, const DemuxOptions& opt);

// The log line of one PES packet in SUP and MNU mode.
std::string pesLogLine(std::uint32_t pts, std::uint32_t dts, std::uint8_t segmentType,
                       std::uint32_t tpExtra);

}  // namespace mirdal
