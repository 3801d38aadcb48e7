# Checks the includes of one layer's folder against the layers it may use. Run as a script:
#
#     cmake -DROOT=<tree> -DFOLDER=framework/windows -DALLOWED="framework/core;framework/graphics"
#           [-DSTAMP=<file>] -P CheckLayers.cmake
#
# A quoted include that names a file of another layer's folder must name one of ALLOWED (or
# FOLDER itself). A public header (not *_p.h) must not include an internal one (*_p.h), since
# users include public headers only. On success STAMP is touched, so the build can run this
# before it compiles the layer.
cmake_minimum_required(VERSION 3.25)
foreach(var ROOT FOLDER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckLayers: ${var} is not set")
  endif()
endforeach()

set(layer_roots framework/ values/ controls/ db/ app/)
set(allowed_text "${ALLOWED}")
if(allowed_text STREQUAL "")
  set(allowed_text "no other layer")
endif()
file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/${FOLDER}/*.h" "${ROOT}/${FOLDER}/*.cpp")
set(errors "")
foreach(src IN LISTS sources)
  file(STRINGS "${ROOT}/${src}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
    set(is_layer FALSE)
    foreach(r IN LISTS layer_roots)
      string(FIND "${header}" "${r}" at)
      if(at EQUAL 0)
        set(is_layer TRUE)
      endif()
    endforeach()
    if(NOT is_layer)
      continue()
    endif()
    get_filename_component(header_dir "${header}" DIRECTORY)
    if(NOT header_dir STREQUAL FOLDER AND NOT header_dir IN_LIST ALLOWED)
      string(APPEND errors "${src}: includes ${header}, but ${FOLDER} may use only: ${allowed_text}\n")
    elseif(src MATCHES "\\.h$" AND NOT src MATCHES "_p\\.h$" AND header MATCHES "_p\\.h$")
      string(APPEND errors "${src}: a public header includes the internal header ${header}\n")
    endif()
  endforeach()
endforeach()

if(errors)
  message(FATAL_ERROR "Layer check failed:\n${errors}")
endif()
if(DEFINED STAMP)
  file(TOUCH "${STAMP}")
endif()
