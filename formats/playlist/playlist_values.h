// The coded values of a playlist: SubPath, mark, playback and stream-entry
// types, the two user-operation mask words and the AppInfo flags. Model
// fields keep the raw byte (a file may hold any value); readers, writers,
// rows and edits switch on these names.
#pragma once

#include <cstdint>

namespace mirdal {

enum class SubPathType : std::uint8_t {
  PrimaryAudio = 2,   // browsable slideshow audio
  IGMenu = 3,
  TextSubtitle = 4,
  OutOfMuxSync = 5,
  OutOfMuxAsync = 6,  // out-of-mux picture-in-picture
  InMuxSync = 7,      // in-mux picture-in-picture
};

enum class MarkType : std::uint8_t { EntryMark = 1, LinkPoint = 2 };

enum class PlaylistPlaybackType : std::uint8_t { Sequential = 1, Random = 2, Shuffle = 3 };

// Where a stream of an STN table comes from.
enum class StreamEntryType : std::uint8_t {
  None = 0,
  PlayItem = 1,  // the PlayItem's own clip
  SubPath = 2,   // a clip of a SubPath
  IMPiP = 3,     // the main clip, for an in-mux picture-in-picture SubPath
};

// The two words of a user-operation mask.
enum class UoWord { First, Second };

// The one-bit flags of a playlist's AppInfo.
enum class AppInfoFlag { RandomAccess, AudioMix, BypassMixer };

// Whether a PlayItem or SubPlayItem plays one clip or several angles.
enum class MultiClip : std::uint8_t { Single = 0, Multi = 1 };

}  // namespace mirdal
