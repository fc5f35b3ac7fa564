# Writes version.cpp (core/version.h) at every build:
#   cmake -DVERSION=0.34b -DRELEASE_DATE=YYYY-MM-DD -DSOURCE_DIR=... -DOUTPUT=... -P write-version.cmake
# A development build appends `git describe` to the version; a tree at the
# release tag v<VERSION> with no changes, or a source without git history
# (a release archive), shows the version alone. The file is rewritten only
# when its text changes, so an unchanged commit recompiles nothing.
set(build_version "${VERSION}")
find_program(GIT_PROGRAM git)
if(GIT_PROGRAM AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(
    COMMAND "${GIT_PROGRAM}" describe --tags --always --dirty --match "v[0-9]*"
    WORKING_DIRECTORY "${SOURCE_DIR}"
    OUTPUT_VARIABLE described
    RESULT_VARIABLE failed
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
  if(NOT failed AND described AND NOT described STREQUAL "v${VERSION}")
    set(build_version "${VERSION} (git ${described})")
  endif()
endif()

set(text "// Written by dist/write-version.cmake at build time; do not edit.
#include \"core/version.h\"

namespace mirdal {

const char* const kVersion = \"${VERSION}\";
const char* const kBuildVersion = \"${build_version}\";
const char* const kReleaseDate = \"${RELEASE_DATE}\";

}  // namespace mirdal
")
file(WRITE "${OUTPUT}.new" "${text}")
configure_file("${OUTPUT}.new" "${OUTPUT}" COPYONLY)
file(REMOVE "${OUTPUT}.new")
