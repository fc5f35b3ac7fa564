// sound.bdmv for the file subcommands (dump, resave): one self-contained
// piece that the table of file kinds (file_kinds.cpp) calls for "BCLK" files.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/fields.h"
#include "formats/common/disc_file.h"
#include "formats/sound/sound_bdmv.h"

namespace mirdal::cli {

// The grid of the "sound.bdmv" group with each entry's place in the file,
// and the ExtensionData caption.
std::string dumpSoundText(const SoundFile& snd, const std::string& name);

// The model as JSON, kind "sound"; the samples are not included.
nlohmann::json soundJson(const SoundFile& snd);

// Reads path quietly; the read's log goes to standard error when the file
// is not read whole or the reader logged an error or a warning. Returns the
// read status (Truncated for a read that logged an error).
ReadStatus loadSoundQuietly(const std::string& path, SoundFile& snd);

// The request of a write to a file named on the command line: no backup.
SaveRequest outputRequest(const std::string& out);

}  // namespace mirdal::cli
