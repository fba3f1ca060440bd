# Makes the Debian package afresh into OUT, so no package of an earlier build is left there.
#
#   cmake -DCPACK=<cpack> -DCONFIG=<build>/CPackConfig.cmake -DOUT=<folder> -P make_package.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -G DEB -B ${OUT} RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cpack could not make the Debian package")
endif()
