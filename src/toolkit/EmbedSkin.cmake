# orvalis_embed_skin(<target> <skin_dir> [TYPE <name>] [ID <number>])
# Zips the skin folder at build time (again whenever a file in it changes) and embeds the
# archive in the target, registered under the resource type and id (default ZIPRES, 101)
# that windows name for their skin.
set(ORVALIS_EMBED_SKIN_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")

function(orvalis_embed_skin target skin_dir)
  cmake_parse_arguments(ARG "" "TYPE;ID" "" ${ARGN})
  if(NOT ARG_TYPE)
    set(ARG_TYPE ZIPRES)
  endif()
  if(NOT ARG_ID)
    set(ARG_ID 101)
  endif()
  get_filename_component(skin_dir ${skin_dir} ABSOLUTE)
  file(GLOB_RECURSE skin_files CONFIGURE_DEPENDS RELATIVE ${skin_dir} ${skin_dir}/*)
  list(SORT skin_files)
  set(zip ${CMAKE_CURRENT_BINARY_DIR}/${target}_skin.zip)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_skin.cpp)
  set(deps)
  foreach(f ${skin_files})
    list(APPEND deps ${skin_dir}/${f})
  endforeach()
  add_custom_command(
    OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip -- ${skin_files}
    WORKING_DIRECTORY ${skin_dir}
    DEPENDS ${deps}
    COMMENT "Packing the skin ${skin_dir}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER ${target} ident)
  file(WRITE ${source}.in
"// Generated: the skin package of ${target}.
#include <cstddef>
#include <cstdint>
#include \"toolkit/SkinPackage.h\"

asm(\".section .rodata\\n\"
    \".balign 16\\n\"
    \".global orvalis_skin_${ident}_begin\\n\"
    \"orvalis_skin_${ident}_begin:\\n\"
    \".incbin \\\"${zip}\\\"\\n\"
    \".global orvalis_skin_${ident}_end\\n\"
    \"orvalis_skin_${ident}_end:\\n\"
    \".previous\\n\");

extern \"C\" const uint8_t orvalis_skin_${ident}_begin[];
extern \"C\" const uint8_t orvalis_skin_${ident}_end[];

namespace {
const bool g_registered = [] {
    DuiLib::RegisterEmbeddedResource(\"${ARG_TYPE}\", ${ARG_ID}, orvalis_skin_${ident}_begin,
                                     static_cast<size_t>(orvalis_skin_${ident}_end - orvalis_skin_${ident}_begin));
    return true;
}();
}  // namespace
")
  configure_file(${source}.in ${source} COPYONLY)
  set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS ${zip})
  add_custom_target(${target}_skin DEPENDS ${zip})
  target_sources(${target} PRIVATE ${source})
  add_dependencies(${target} ${target}_skin)
endfunction()
