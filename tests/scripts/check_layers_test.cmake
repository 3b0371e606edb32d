# scripts/check-layers on a small tree of its own: three rows, the middle one
# with two folders. An include down a row and one sideways pass; one include up
# a row fails the check, and the report names its file and line and nothing
# else; a README without the layers block is refused. ctest passes PYTHON,
# SCRIPT and STAGE.
cmake_minimum_required(VERSION 3.22)

file(REMOVE_RECURSE ${STAGE})
file(WRITE ${STAGE}/README.md "# A tree\n\n```layers\ntop/\nleft/  right/\nbase/\n```\n")
file(WRITE ${STAGE}/top/main.cpp "#include \"left/page.h\"\n#include \"base/clock.h\"\n")
file(WRITE ${STAGE}/left/page.h "#pragma once\n#include <vector>\n#include \"right/engine.h\"\n")
file(WRITE ${STAGE}/right/engine.h "#pragma once\n#include \"base/clock.h\"\n")
file(WRITE ${STAGE}/base/clock.h "#pragma once\n")
# sim/ is no layer: what it includes is not read
file(WRITE ${STAGE}/sim/model.cpp "#include \"top/main.h\"\n")

function(check expected_status)
  execute_process(COMMAND ${PYTHON} ${SCRIPT} ${STAGE} RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "check-layers ended with ${status}, not ${expected_status}:\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

check(0)

# the engine reaches up for a widget of the shell
file(WRITE ${STAGE}/right/engine.h "#pragma once\n#include \"base/clock.h\"\n#  include <top/window.h>\n")
check(1)
string(REGEX MATCHALL "[^\n]*includes[^\n]*" findings "${output}")
if(NOT findings STREQUAL "right/engine.h:3: right/ includes \"top/window.h\" of top/, a layer above it")
  message(FATAL_ERROR "the up-running include is not reported as expected:\n${output}")
endif()

file(WRITE ${STAGE}/README.md "# A tree without its layers\n")
check(2)
