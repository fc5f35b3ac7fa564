// Save P&ID: which mode a PID is exported in, the name of the export file,
// and the run with its log lines and progress bar.
#pragma once

#include <cstdint>
#include <string>

#include "stream/demux.h"

namespace mirdal {

// PG streams (PID 0x12nn) become SUP files when saveSup is on, even with the
// PES option; IG streams (0x14nn) become MNU files when saveMnu is on and the
// PES option is off; otherwise the PES option chooses PES or elementary.
ExportMode chooseExportMode(std::uint16_t pid, bool savePes, bool saveSup, bool saveMnu);

// "vis" (exactly 0x1011), "aus" (0x11nn), "svs" (0x1Bnn), "sas" (0x1Ann),
// "pgs" (0x12nn), "igs" (0x14nn), "txs" (0x18nn), "" otherwise; "PES." in
// front in PES mode; "sup" and "mnu" in SUP and MNU mode.
std::string exportExtension(std::uint16_t pid, ExportMode mode);

// Output folder (a separator added when it is not empty and has none at its
// end) + clip name + "_PID" + the PID, stream type and details texts of the
// ProgramInfo row joined with "_" (spaces and colons become "_", commas go;
// an empty text is left out) + "." + the extension. Example:
// 00001_PID1200_PG_eng.sup.
std::string exportFileName(const std::string& outputFolder, const std::string& clipName,
                           const std::string& pidText, const std::string& typeText,
                           const std::string& detailsText, std::uint16_t pid, ExportMode mode);

// A PID text read as hexadecimal; any other character makes it 0.
std::uint16_t parsePidText(const std::string& text);

// The final line of an export: count + " source packets saved. (" + elapsed
// + ")", and the packets skipped for a wrong sync byte when there were any.
std::string exportSummary(const DemuxResult& res);

inline constexpr const char* kStopSavingPid = "Stop saving this PID?";

// The whole run: the progress bar on (Cancel asks kStopSavingPid first and
// then requests `cancel`, which stops the export), an
// empty line, "Saving " + output file name + " ...", the export, then
// "Saving cancelled." or the summary (after Ready on the status line), and
// the bar off. A failed export, and a stream without the PID, are reported
// by Demux and end without a summary; they leave the file that was there.
DemuxResult exportPid(const std::string& input, const std::string& output, const DemuxOptions& opt,
                      CancelToken& cancel, Reporter& rep);

}  // namespace mirdal
