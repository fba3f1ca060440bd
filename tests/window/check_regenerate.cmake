# Runs the picture generator into an empty folder and checks that it makes exactly the
# committed files, so the committed pictures can always be made again.
#
#   cmake -DGENERATOR=... -DSOURCE=<res folder> -DWORK=... -P check_regenerate.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} ${WORK} RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "the generator failed")
endif()
foreach(name starfield.gif warp-rechner.ico warp-rechner-16.png warp-rechner-32.png)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${SOURCE}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name}: the generator makes other bytes than the committed file")
  endif()
endforeach()
