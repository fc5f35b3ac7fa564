# The fuzz targets: fuzz/fuzz_<name>.cpp each, with its seeds in
# fuzz/corpus/<name>/. The libFuzzer build (fuzz/CMakeLists.txt) and the
# seed replay of the tests (tests/fuzz/CMakeLists.txt) both read this list.
set(MIRDAL_FUZZ_TARGETS
  index
  movie_objects
  bdjo
  ext_data
  commands
  mpls
  mpls_edit
  menu_segments
  rle
  png_import
  sound
  wav
  clpi
  demux
  menu_play
)
