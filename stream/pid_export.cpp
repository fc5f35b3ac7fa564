#include "stream/pid_export.h"

#include "core/display_text.h"
#include "core/report.h"
#include "core/time_text.h"

namespace mirdal {

ExportMode chooseExportMode(std::uint16_t pid, bool savePes, bool saveSup, bool saveMnu) {
  const unsigned high = pid >> 8;
  if (high == 0x12 && saveSup) return ExportMode::SUP;
  if (high == 0x14 && saveMnu && !savePes) return ExportMode::MNU;
  return savePes ? ExportMode::PES : ExportMode::Elementary;
}

std::string exportExtension(std::uint16_t pid, ExportMode mode) {
  if (mode == ExportMode::SUP) return "sup";
  if (mode == ExportMode::MNU) return "mnu";
  std::string ext;
  switch (pid >> 8) {
    case 0x10: ext = pid == 0x1011 ? "vis" : ""; break;
    case 0x11: ext = "aus"; break;
    case 0x1B: ext = "svs"; break;
    case 0x1A: ext = "sas"; break;
    case 0x12: ext = "pgs"; break;
    case 0x14: ext = "igs"; break;
    case 0x18: ext = "txs"; break;
    default: break;
  }
  return mode == ExportMode::PES ? "PES." + ext : ext;
}

std::string exportFileName(const std::string& outputFolder, const std::string& clipName,
                           const std::string& pidText, const std::string& typeText,
                           const std::string& detailsText, std::uint16_t pid, ExportMode mode) {
  std::string name = outputFolder;
  if (!name.empty() && name.back() != '/') name += '/';
  // A row without a stream type or details (a stream outside a disc
  // folder) leaves no empty part behind.
  std::string joined = pidText;
  for (const std::string* t : {&typeText, &detailsText})
    if (!t->empty()) joined += "_" + *t;
  std::string texts;
  for (char c : joined) {
    if (c == ',') continue;
    texts += c == ' ' || c == ':' ? '_' : c;
  }
  return name + clipName + "_PID" + texts + "." + exportExtension(pid, mode);
}

std::uint16_t parsePidText(const std::string& text) {
  std::uint32_t v = 0;
  if (text.empty()) return 0;
  for (char c : text) {
    const int d = hexDigitValue(c);
    if (d < 0) return 0;
    v = (v << 4 | unsigned(d)) & 0xFFFF;
  }
  return std::uint16_t(v);
}

std::string exportSummary(const DemuxResult& res) {
  std::string s = std::to_string(res.pidPackets) + " source packets saved. (" +
                  clockText(std::uint64_t(res.elapsed.count()) / 1000) + ")";
  if (res.lostPackets)
    s += " [re]" + std::to_string(res.lostPackets) + " packet(s) without sync byte skipped.[/re]";
  return s;
}

DemuxResult exportPid(const std::string& input, const std::string& output, const DemuxOptions& opt,
                      CancelToken& cancel, Reporter& rep) {
  rep.startProgress(cancel, true, kStopSavingPid);
  rep.log("");
  rep.logStep("Saving " + output + " ...");
  DemuxOptions o = opt;
  o.requirePid = true;
  o.cancel = &cancel;
  o.report = &rep;
  const DemuxResult res = demux(input, output, o);
  if (!res.failed) {
    if (res.cancelled) {
      rep.log("Saving cancelled.");
    } else {
      rep.setStatusReady();
      rep.log(exportSummary(res));
    }
  }
  rep.endProgress();
  return res;
}

}  // namespace mirdal
