// The sample disc's AUXDATA/sound.bdmv: three short generated sounds.
#pragma once

#include "core/fields.h"

mirdal::Bytes sampleSoundFile();
