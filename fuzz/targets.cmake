# The fuzz targets: fuzz/fuzz_<name>.cpp each, with its seeds in
# fuzz/corpus/<name>/. The libFuzzer build (fuzz/CMakeLists.txt) and the
# seed replay of the tests (tests/fuzz/CMakeLists.txt) both read this list.
set(MIRDAL_FUZZ_TARGETS
  index
  movie_objects
  bdjo
  ext_data
  commands
  assembler
  mpls
  mpls_edit
  chapters
  menu_segments
  menu_edit_json
  rle
  png_import
  palette_files
  sound
  wav
  clpi
  demux
  menu_play
)

# What a target needs beyond the engine: the `menu edit` list reader lives
# beside the command line, which is no library.
find_package(nlohmann_json 3 REQUIRED)
set(MIRDAL_FUZZ_SOURCES_menu_edit_json ${PROJECT_SOURCE_DIR}/cli/menu_edit_json.cpp)
set(MIRDAL_FUZZ_LIBS_menu_edit_json nlohmann_json::nlohmann_json)
