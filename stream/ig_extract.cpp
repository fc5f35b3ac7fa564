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

DemuxResult extractIgStream(const std::string& m2ts, std::uint16_t pid, const std::string& mnuPath, Reporter& rep,
                            bool requirePid, const CancelToken& cancel) {
  DemuxOptions opt = extractOptions(pid, requirePid);
  opt.cancel = &cancel;
  opt.report = &rep;
  return demux(m2ts, mnuPath, opt);
}

DemuxResult extractIgStream(const std::string& m2ts, std::uint16_t pid, Bytes& mnu, bool requirePid, Reporter& rep,
                            const CancelToken& cancel) {
  DemuxOptions opt = extractOptions(pid, requirePid);
  opt.cancel = &cancel;
  opt.report = &rep;
  MemorySink sink;
  const DemuxResult r = demux(m2ts, sink, opt);
  mnu = std::move(sink.data);
  return r;
}

MenuLoad loadMenuFromStream(const std::string& m2ts, std::uint16_t pid, IgMenu& m, Reporter& rep,
                             const CancelToken& cancel) {
  const std::string tmp = tempFilePath(kMenuTemp);
  const DemuxResult r = extractIgStream(m2ts, pid, tmp, rep, false, cancel);
  if (r.failed) {
    m = IgMenu{};
    return {ReadStatus::Unreadable, false};
  }
  return readMnuFile(tmp, m, rep, cancel);
}

}  // namespace mirdal
