#include "cli/sound_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cli/cli_context.h"
#include "cli/json_model.h"
#include "cli/file_kinds.h"
#include "cli/text_table.h"
#include "core/disc_folder.h"
#include "formats/common/ext_data_edit.h"
#include "present/sound_rows.h"

namespace mirdal::cli {

std::string dumpSoundText(const SoundFile& snd, const std::string& name) {
  const std::size_t n = snd.entries.size();
  std::string out = name + ": " + snd.typeIndicator + " version " + snd.versionNumber + "\n";
  out += std::to_string(n) + " sound entr" + (n == 1 ? "y" : "ies") + "\n";
  std::vector<std::string> headers;
  for (const GridColumn& c : kSoundColumns) headers.push_back(c.header);
  headers.push_back("start");
  headers.push_back("bytes");
  TextTable t(headers);
  for (std::size_t i = 0; i < n; ++i) {
    const auto row = soundRow(snd, i);
    std::vector<std::string> cells(row.begin(), row.end());
    cells.push_back(std::to_string(snd.entries[i].start));
    cells.push_back(std::to_string(snd.entries[i].length));
    t.add(cells);
  }
  out += t.text();
  out += "ExtensionData: " + extensionDataCaption(snd.extensionData) + "\n";
  if (!snd.extensionData.entries.empty()) {
    TextTable e(kExtDataColumns);
    for (std::size_t i = 0; i < snd.extensionData.entries.size(); ++i) e.add(extDataRow(snd.extensionData, i));
    out += e.text("  ");
  }
  return out;
}

nlohmann::json soundJson(const SoundFile& snd) {
  nlohmann::json entries = nlohmann::json::array();
  for (std::size_t i = 0; i < snd.entries.size(); ++i) {
    const SoundEntry& e = snd.entries[i];
    entries.push_back({{"index", i},
                       {"channel_configuration", e.channelConfiguration},
                       {"sampling_frequency", e.samplingFrequency},
                       {"bits_per_sample", e.bitsPerSample},
                       {"start", e.start},
                       {"length", e.length},
                       {"duration_seconds", soundDurationSeconds(e.length, e.channelConfiguration)}});
  }
  return {{"kind", "sound"},
          {"format_version", 1},
          {"type_indicator", latin1ToUtf8(snd.typeIndicator)},
          {"version_number", latin1ToUtf8(snd.versionNumber)},
          {"sound_data_start_address", snd.soundDataStartAddress},
          {"extension_data_start_address", snd.extensionDataStartAddress},
          {"sound_index_length", snd.soundIndexLength},
          {"number_of_sound_entries", snd.entries.size()},
          {"entries", entries},
          {"extension_data", toJson(snd.extensionData)}};
}

ReadStatus loadSoundQuietly(const std::string& path, SoundFile& snd) {
  CaptureReporter capture;
  SoundParse res;
  {
    res = readSoundFile(path, snd, capture);
  }
  if (res.status != ReadStatus::Ok) capture.replayToStderr();
  else capture.replayDiagnostics();
  // An error the reader logged makes the file one read with errors.
  return res.status == ReadStatus::Ok && capture.errors ? ReadStatus::Truncated : res.status;
}

SaveRequest outputRequest(const std::string& out) {
  SaveRequest req;
  req.folder = folderOfFile(out);
  req.name = std::filesystem::path(out).filename().string();
  req.noBackup = true;
  return req;
}

}  // namespace mirdal::cli
