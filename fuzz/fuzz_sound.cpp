// sound.bdmv: any input parses without fault; a file read whole is written
// and read back to the same entries and ExtensionData, each entry on a
// multiple of 4; the grid texts and edits work on whatever was read.
#include <cstddef>
#include <cstdint>

#include "audio/sound_wav.h"
#include "formats/sound/sound_bdmv.h"
#include "present/sound_rows.h"
#include "fuzz_check.h"

using namespace mirdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes in(data, data + size);
  SoundFile snd;
  const SoundParse res = parseSound(in, snd);
  if (!usable(res.status)) return 0;
  for (const SoundEntry& e : snd.entries) FUZZ_CHECK(e.data.size() == e.length && e.length <= size);
  const Bytes out = composeSound(snd);
  SoundFile again;
  FUZZ_CHECK(parseSound(out, again).status == ReadStatus::Ok);
  FUZZ_CHECK(again.entries.size() == snd.entries.size());
  for (std::size_t i = 0; i < snd.entries.size(); ++i) {
    FUZZ_CHECK(again.entries[i].data == snd.entries[i].data);
    FUZZ_CHECK(again.entries[i].start % 4 == 0);
    soundRow(snd, i);
    soundRowStatus(snd, i);
    mkWav(snd, i);
  }
  if (snd.extensionDataStartAddress != 0) FUZZ_CHECK(again.extensionData == snd.extensionData);
  FUZZ_CHECK(composeSound(again) == out);
  if (deleteSoundEntry(snd, size % 3)) FUZZ_CHECK(parseSound(composeSound(snd), again).status == ReadStatus::Ok);
  return 0;
}
