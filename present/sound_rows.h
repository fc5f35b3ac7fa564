// What the "sound.bdmv" group shows, as texts computed from the model: the
// grid's columns, hint and rows, the status-line text of a row click, the
// default file name of an exported entry and the texts of the WAV dialogs.
// The GUI and mirdal-cli both take their texts from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/display_text.h"
#include "formats/sound/sound_bdmv.h"

namespace mirdal {

inline constexpr std::array<GridColumn, 5> kSoundColumns{
    {{"No.", 30}, {"channel", 54}, {"frequency", 60}, {"bits/sample", 66}, {"length", 60}}};
inline constexpr const char* kSoundGridHint = "Sound entries\nShift-Del: Delete sound\nIns: Insert sound";
inline constexpr const char* kSoundPlayHint = "Play sound entry";
inline constexpr const char* kSoundSaveHint = "Save sound entry";
inline constexpr const char* kSoundSaveTitle = "Save sound entry";
inline constexpr const char* kSoundOpenTitle = "Select a sound file (mandatory 16 bit, 48kHz, uncompressed)";
inline constexpr const char* kWaveFilter = "Wave|*.wav";

// "Mono" for configuration 1, "Stereo" for 3, "-" otherwise.
std::string soundChannelText(std::uint8_t channelConfiguration);

// The duration of `length` bytes of 16-bit sound at 48 kHz in hundredths,
// halves rounded to even, shown without trailing zeros. A second of stereo
// is 192 000 bytes (96 000 give "0.5 s"), a second of mono half of that, so a
// mono sound is not shown at half its length; any other channel value counts
// as stereo, as the player takes it.
std::string soundDurationText(std::uint64_t length, std::uint8_t channelConfiguration = kSoundStereo);
// The same number of seconds, for the JSON dump.
double soundDurationSeconds(std::uint64_t length, std::uint8_t channelConfiguration = kSoundStereo);

// One row of sgSounds: "No." with 3 digits, channel, frequency ("48kHz" for
// code 1), bits per sample ("16" for code 1) and the duration.
std::array<std::string, 5> soundRow(const SoundFile& snd, std::size_t entry);


// Status panel 1 after a click on row `entry`: "Data start: 000003E8 (1,000)
// Length: ... Total data length: ...(...)"; empty when the file has no
// entries.
std::string soundRowStatus(const SoundFile& snd, std::size_t entry, char separator = ',');

// "sound_" + the index with 3 digits + ".wav".
std::string soundEntryFileName(std::size_t entry);

}  // namespace mirdal
