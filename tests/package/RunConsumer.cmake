# Installs the built library into a scratch prefix, then configures, builds
# and runs a small host project that finds it with find_package.
file(REMOVE_RECURSE ${ZELT_WORK_DIR})
set(prefix ${ZELT_WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${ZELT_BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${ZELT_CONSUMER_SOURCE} -B ${ZELT_WORK_DIR}/build
  -G ${ZELT_GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the consumer failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${ZELT_WORK_DIR}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the consumer failed")
endif()
execute_process(COMMAND ${ZELT_WORK_DIR}/build/consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
message(STATUS "${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer failed")
endif()
