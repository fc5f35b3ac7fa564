#include "stream/ig_extract.h"

#include "core/report.h"
#include "core/temp_files.h"

namespace mirdal {

DemuxResult extractIGStream(const std::string& m2ts, std::uint16_t pid, const std::string& mnuPath) {
  setCancelFlag(false);
  DemuxOptions opt;
  opt.pid = pid;
  opt.mode = ExportMode::MNU;
  // The loader's summary says what was found; a line per segment would
  // bury it.
  opt.logPesLines = false;
  return Demux(m2ts, mnuPath, opt);
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
