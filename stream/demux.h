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

#include "core/fields.h"
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

// A file written through a large buffer. A failed create or write keeps the
// system's reason in errorText().
class FileSink final : public ExportSink {
 public:
  FileSink();
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Creates the file anew (an existing file is overwritten).
  bool create(const std::string& path);
  // Writes what is buffered and closes; false when that fails.
  bool close();

  bool write(const std::uint8_t* p, std::size_t n) override;
  std::uint64_t size() const override { return written_ + fill_; }
  bool truncate(std::uint64_t size) override;

  bool failed() const { return failed_; }
  const std::string& errorText() const { return error_; }

 private:
  bool flush();
  void fail();

  int fd_ = -1;
  Bytes buf_;
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
};

struct DemuxResult {
  std::uint64_t pidPackets = 0;   // source packets of the PID processed
  std::uint64_t packets = 0;      // source packets read, lost ones included
  std::uint64_t lostPackets = 0;  // packets without sync byte, skipped
  std::uint64_t pesPackets = 0;   // PES packets begun in the output
  bool cancelled = false;         // stopped by the cancel flag
  bool failed = false;            // the input or the output failed
  std::chrono::milliseconds elapsed{0};
};

// The export loop over an open reader. Every 341 packets it handles pending
// user-interface events and looks at the cancel flag; the cancel flag is also
// looked at before each new PES packet of the PID. A cancelled export ends at
// a PES packet boundary: a PES packet the loop is inside of is cut off the
// output again. A packet whose sync byte is wrong is skipped alone and
// counted in lostPackets. Reports nothing but the per-PES log lines and the
// progress; failures come back in the result (reader.failed(), sink state).
DemuxResult Demux(SourcePacketReader& in, ExportSink& out, const DemuxOptions& opt);

// The export from one file into another. An input that cannot be opened, an
// output that cannot be created and a failed read or write are reported
// through erlog; after a failure the output file is removed. A cancelled
// export keeps its output.
DemuxResult Demux(const std::string& input, const std::string& output, const DemuxOptions& opt);

// The log line of one PES packet in SUP and MNU mode.
std::string pesLogLine(std::uint32_t pts, std::uint32_t dts, std::uint8_t segmentType,
                       std::uint32_t tpExtra);

}  // namespace mirdal
