# The layer check against the tree and against two small trees that break the rules: every layer
# of the tree passes, and the checker refuses a core file that includes the grid and a public
# header that includes an internal one.
cmake_minimum_required(VERSION 3.25)
set(checker "${ROOT}/cmake/CheckLayers.cmake")

function(run_check root folder allowed out_result out_output)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DROOT=${root} -DFOLDER=${folder} "-DALLOWED=${allowed}" -P ${checker}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

include("${BINARY}/layers/table.cmake") # VEXO_LAYER_TABLE: folder|allowed,allowed;...
foreach(entry IN LISTS VEXO_LAYER_TABLE)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 folder)
  list(LENGTH fields n)
  set(allowed "")
  if(n GREATER 1)
    list(GET fields 1 allowed)
    string(REPLACE "," ";" allowed "${allowed}")
  endif()
  run_check("${ROOT}" "${folder}" "${allowed}" result output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${folder} breaks its layer:\n${output}")
  endif()
  message(STATUS "${folder}: includes only ${allowed}")
endforeach()

set(fixture "${BINARY}/layers/fixture")
file(REMOVE_RECURSE "${fixture}")
file(WRITE "${fixture}/framework/core/Wrong.cpp" "#include \"controls/grid/VexoGrid.h\"\n")
file(WRITE "${fixture}/framework/graphics/Public.h" "#include \"framework/graphics/Hidden_p.h\"\n")
file(WRITE "${fixture}/framework/graphics/Hidden_p.h" "#pragma once\n")
foreach(case "framework/core|controls/grid/VexoGrid.h"
             "framework/graphics|a public header includes the internal header")
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 folder)
  list(GET fields 1 expected)
  run_check("${fixture}" "${folder}" "framework/core" result output)
  if(result EQUAL 0 OR NOT output MATCHES "${expected}")
    message(FATAL_ERROR "The checker let ${folder} through (expected: ${expected}):\n${output}")
  endif()
  message(STATUS "${folder} with a wrong include is refused: ${expected}")
endforeach()
