# `make install DESTDIR=...`: the staged tree holds exactly the program, the
# menu entry, the icon at each icon-theme size (a PNG of that size) and the
# udev rule as written in resources/linux; udev is left alone; the uninstall
# script then removes every one of them. ctest passes BUILD_DIR, STAGE,
# PREFIX, RULES_DIR and SOURCE_DIR.
cmake_minimum_required(VERSION 3.22)

function(run what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

function(staged_files out)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
  list(TRANSFORM files PREPEND "/")
  list(SORT files)
  set(${out} "${files}" PARENT_SCOPE)
endfunction()

set(app vexlink-setwise)
set(sizes 16 22 24 32 48 64 128)
set(expected ${PREFIX}/bin/${app} ${PREFIX}/share/applications/${app}.desktop ${RULES_DIR}/70-vexlink-setwise.rules)
foreach(size ${sizes})
  list(APPEND expected ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${app}.png)
endforeach()
list(SORT expected)

file(REMOVE_RECURSE ${STAGE})
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR})
if(output MATCHES "udev rules reloaded")
  message(FATAL_ERROR "a staged install reloaded the machine's udev:\n${output}")
endif()

staged_files(staged)
if(NOT staged STREQUAL expected)
  string(REPLACE ";" "\n  " staged_text "${staged}")
  string(REPLACE ";" "\n  " expected_text "${expected}")
  message(FATAL_ERROR "staged files:\n  ${staged_text}\nexpected:\n  ${expected_text}")
endif()

# the program is an ELF executable
file(READ ${STAGE}${PREFIX}/bin/${app} magic HEX LIMIT 4)
if(NOT magic STREQUAL "7f454c46")
  message(FATAL_ERROR "bin/${app} is not an ELF executable (${magic})")
endif()
execute_process(COMMAND test -x ${STAGE}${PREFIX}/bin/${app} RESULT_VARIABLE not_executable)
if(NOT not_executable EQUAL 0)
  message(FATAL_ERROR "bin/${app} is not executable")
endif()

# the menu entry starts the installed program with the installed icon
file(STRINGS ${STAGE}${PREFIX}/share/applications/${app}.desktop entry)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=${app}" "Icon=${app}" "Name=Vexlink Setwise")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks \"${line}\"")
  endif()
endforeach()

# each icon is a PNG of its folder's size (width and height follow the signature and the IHDR header)
foreach(size ${sizes})
  set(icon ${STAGE}${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${app}.png)
  file(READ ${icon} signature HEX LIMIT 8)
  file(READ ${icon} width HEX OFFSET 16 LIMIT 4)
  file(READ ${icon} height HEX OFFSET 20 LIMIT 4)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${size}x${size} icon: signature ${signature}, ${width}x${height}")
  endif()
endforeach()

file(SHA256 ${STAGE}${RULES_DIR}/70-vexlink-setwise.rules installed_rule)
file(SHA256 ${SOURCE_DIR}/resources/linux/70-vexlink-setwise.rules source_rule)
if(NOT installed_rule STREQUAL source_rule)
  message(FATAL_ERROR "the installed udev rule differs from resources/linux/70-vexlink-setwise.rules")
endif()

run("the uninstall script" ${CMAKE_COMMAND} -P ${BUILD_DIR}/uninstall.cmake)
staged_files(left)
if(left)
  message(FATAL_ERROR "the uninstall left: ${left}")
endif()
file(REMOVE_RECURSE ${STAGE})
