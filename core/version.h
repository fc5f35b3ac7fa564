#pragma once

namespace mirdal {

inline constexpr const char* kProgramName = "Mirdal";

// The release version, "0.34b": the top CMakeLists.txt sets it and the build
// writes it into version.cpp (dist/write-version.cmake), so that a new
// version rebuilds one file.
extern const char* const kVersion;

// The version and, in a development build, the commit it was built from:
// "0.34b (git 1a2b3c4-dirty)". kVersion in a release build (the tree is at
// the tag v<version>) and when the source holds no git history.
extern const char* const kBuildVersion;

// The day of the release, as YYYY-MM-DD (manual pages, metainfo).
extern const char* const kReleaseDate;

}  // namespace mirdal
