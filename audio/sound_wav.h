// Sound entries to and from WAV files: Insert from WAV, Save sound entry,
// the image a play button plays, and "Create sound.bdmv".
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "audio/wav.h"
#include "formats/sound/sound_bdmv.h"

namespace mirdal {

class Reporter;

// The entry a checked WAV file gives: mono (1) for one channel, stereo (3)
// for two; 48 kHz, 16 bits; the data chunk's samples turned big-endian. A
// last odd byte (half a sample) is left out.
SoundEntry soundEntryFromWav(const Bytes& file, const WavData& wav);

// Insert from WAV: shows the file name on status panel 1, checks the file
// and inserts its sound at position `at` (0 .. n; the GUI passes the row
// after the selected one). A failed check is logged through logError, followed
// by a 3-second pause, and leaves the model as it was. Returns true when a
// sound was inserted.
bool loadSound(SoundFile& snd, std::size_t at, const std::string& wavPath, Reporter& rep);

// The WAV image of entry `index` (empty when there is none): 2 channels for
// stereo entries, 1 for any other configuration.
Bytes mkWav(const SoundFile& snd, std::size_t index);

// Save sound entry: writes the WAV image of entry `index` to path. Failures
// are logged through logError.
bool exportSound(const SoundFile& snd, std::size_t index, const std::string& path, Reporter& rep);

// "Create sound.bdmv": a new model holding the sound of the WAV file, or
// nothing when the file gave no sound (the group is then hidden again).
std::optional<SoundFile> createSound(const std::string& wavPath, Reporter& rep);

}  // namespace mirdal
