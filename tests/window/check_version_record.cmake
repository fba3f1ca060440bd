# Compiles the generated Windows resource script with the MinGW resource compiler, turns the
# compiled resource back into script text and checks the version record and the icon in it.
#
#   cmake -DWINDRES=... -DPREPROCESSOR=... -DRC=... -DWORK=... -DVERSION=1.0.0.0
#         -DVERSION_TEXT=1.00 -P check_version_record.cmake

file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${WINDRES} --preprocessor=${PREPROCESSOR} --preprocessor-arg=-P
          -i ${RC} -O res -o ${WORK}/warp-rechner.res
  RESULT_VARIABLE compiled ERROR_VARIABLE compile_errors)
if(NOT compiled EQUAL 0)
  message(FATAL_ERROR "windres could not compile ${RC}:\n${compile_errors}")
endif()
execute_process(
  COMMAND ${WINDRES} -i ${WORK}/warp-rechner.res -O rc
  OUTPUT_VARIABLE script RESULT_VARIABLE decompiled)
if(NOT decompiled EQUAL 0)
  message(FATAL_ERROR "windres could not read back ${WORK}/warp-rechner.res")
endif()

string(REPLACE "." ", " version_list "${VERSION}")
set(expected
  "LANGUAGE 7, 1"
  "FILEVERSION ${version_list}\n"
  "PRODUCTVERSION ${version_list}\n"
  "BLOCK \"040704B0\""
  "VALUE \"CompanyName\", \"Warp-Rechner\""
  "VALUE \"FileDescription\", \"Warp-Rechner\""
  "VALUE \"FileVersion\", \"${VERSION_TEXT}\""
  "VALUE \"InternalName\", \"warp-rechner\""
  "VALUE \"OriginalFilename\", \"warp-rechner.exe\""
  "VALUE \"ProductName\", \"Warp-Rechner\""
  "VALUE \"ProductVersion\", \"${VERSION_TEXT}\""
  "VALUE \"Translation\", 0x407, 1200"
  # The icon group: 32 x 32 in 16 colours, 32 x 32 in 2 colours, 16 x 16 in 16 colours.
  "1 14 /* RT_GROUP_ICON */"
  "Has 3 elements."
  "\"\\040\\040\\020\\000\", 1, 4,"
  "\"\\040\\040\\002\\000\", 1, 1,"
  "\"\\020\\020\\020\\000\", 1, 4,")
set(missing "")
foreach(line IN LISTS expected)
  string(FIND "${script}" "${line}" at)
  if(at EQUAL -1)
    string(APPEND missing "  ${line}\n")
  endif()
endforeach()
if(NOT missing STREQUAL "")
  message(FATAL_ERROR "The compiled resource lacks:\n${missing}\nIt reads:\n${script}")
endif()
message(STATUS "version record ${VERSION} (\"${VERSION_TEXT}\"), German, with the three icons")
