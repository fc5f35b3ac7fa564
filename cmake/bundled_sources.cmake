# mirdal_bundle_sources(target files_per_bundle): compiles a target's sources
# in bundles of files_per_bundle, each bundle one translation unit that
# includes its files. Files that include the same large headers (CLI11, the
# JSON library, gtest, Qt) then parse them, instantiate their templates and
# generate their inline code once per bundle instead of once per file.
#
# CMake's own UNITY_BUILD would do the same, but its bundles include the
# sources by absolute path, so no object compiled in one clone would serve a
# clone elsewhere on the machine (ccache hashes the bundle's text); these
# include them relative to the checkout, which is on the include path.
#
# The files stay in the target (HEADER_FILE_ONLY) for IDEs; a file with its
# own compile definitions or options is compiled alone, as before. Helpers
# in the files' anonymous namespaces share one namespace within a bundle, so
# their names must differ between the files of a target.
function(mirdal_bundle_sources target files_per_bundle)
  if(NOT MIRDAL_BUNDLES)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  set(bundled "")
  set(rels "")
  foreach(src ${sources})
    get_filename_component(abs ${src} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    if(NOT abs MATCHES "\\.cpp$")
      continue()
    endif()
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${abs})
    if(rel MATCHES "^\\.\\./")
      continue()  # generated in the build folder
    endif()
    get_source_file_property(defs ${src} COMPILE_DEFINITIONS)
    get_source_file_property(opts ${src} COMPILE_OPTIONS)
    if(defs OR opts)
      continue()
    endif()
    list(APPEND bundled ${src})
    list(APPEND rels ${rel})
  endforeach()

  list(LENGTH rels count)
  if(count LESS 2)
    return()
  endif()
  # As many bundles as files_per_bundle asks, the files spread evenly.
  math(EXPR bundles "(${count} + ${files_per_bundle} - 1) / ${files_per_bundle}")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_bundles)
  set(bundle_files "")
  math(EXPR last "${bundles} - 1")
  foreach(b RANGE ${last})
    set(content "")
    math(EXPR first "${b} * ${count} / ${bundles}")
    math(EXPR end "(${b} + 1) * ${count} / ${bundles} - 1")
    foreach(i RANGE ${first} ${end})
      list(GET rels ${i} rel)
      string(APPEND content "#include \"${rel}\"\n")
    endforeach()
    file(CONFIGURE OUTPUT ${dir}/bundle_${b}.cpp CONTENT "${content}")
    list(APPEND bundle_files ${dir}/bundle_${b}.cpp)
  endforeach()

  set_source_files_properties(${bundled} PROPERTIES HEADER_FILE_ONLY ON)
  target_sources(${target} PRIVATE ${bundle_files})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  # GCC takes an included file's anonymous namespace for a header's and
  # warns when a lambda captures one of its types; in a bundle it is a
  # source file's own.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()
