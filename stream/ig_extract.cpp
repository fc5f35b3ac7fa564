#include "stream/ig_extract.h"

#include "core/report.h"
#include "core/temp_files.h"

namespace mirdal {

namespace {

DemuxOptions extractOptions(std::uint16_t pid, bool requirePid) {
  DemuxOptions opt;
  opt.pid = pid;
  opt.requirePid = requirePid;
  opt.mode = ExportMode::MNU;
  // The loader's summary says what was found; a line per segment would
  // bury it.
  opt.logPesLines = false;
  return opt;
}

}  // namespace

DemuxResult extractIGStream(const std::string& m2ts, std::uint16_t pid, const std::string& mnuPath,
                            bool requirePid) {
  const CancelScope cancel;
  return Demux(m2ts, mnuPath, extractOptions(pid, requirePid));
}

DemuxResult extractIGStream(const std::string& m2ts, std::uint16_t pid, Bytes& mnu, bool requirePid) {
  const CancelScope cancel;
  MemorySink sink;
  const DemuxResult r = Demux(m2ts, sink, extractOptions(pid, requirePid));
  mnu = std::move(sink.data);
  return r;
}

MenuLoad loadMenuFromStream(const std::string& m2ts, std::uint16_t pid, TMenu& m) {
  const std::string tmp = tempFilePath(kMenuTemp);
  const DemuxResult r = extractIGStream(m2ts, pid, tmp);
  if (r.failed) {
    m = TMenu{};
    return {ReadStatus::Unreadable, false};
  }
  return loadMNU(tmp, m);
}

}  // namespace mirdal
