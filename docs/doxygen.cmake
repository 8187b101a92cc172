# Builds the HTML API reference: cmake -DOUTPUT=<dir> -P docs/doxygen.cmake
# The version is read from the project() line of CMakeLists.txt, the one
# place it is set; the generated zelt/Version.h is documented as installed.
cmake_minimum_required(VERSION 3.25)

get_filename_component(ZELT_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
if(NOT OUTPUT)
  set(OUTPUT "${ZELT_SOURCE_DIR}/build/docs")
endif()
get_filename_component(ZELT_DOCS_OUTPUT "${OUTPUT}" ABSOLUTE BASE_DIR "${ZELT_SOURCE_DIR}")

file(READ "${ZELT_SOURCE_DIR}/CMakeLists.txt" top)
if(NOT top MATCHES "project\\([A-Za-z]+[ \t\r\n]+VERSION[ \t\r\n]+([0-9]+)\\.([0-9]+)\\.([0-9]+)")
  message(FATAL_ERROR "docs: no project(... VERSION x.y.z ...) in ${ZELT_SOURCE_DIR}/CMakeLists.txt")
endif()
set(PROJECT_VERSION_MAJOR "${CMAKE_MATCH_1}")
set(PROJECT_VERSION_MINOR "${CMAKE_MATCH_2}")
set(PROJECT_VERSION_PATCH "${CMAKE_MATCH_3}")
set(PROJECT_VERSION "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}")
set(ZELT_DOCS_VERSION "${PROJECT_VERSION}")

find_program(DOXYGEN doxygen)
if(NOT DOXYGEN)
  message(FATAL_ERROR "docs: doxygen not found (scripts/install-deps.sh docs installs it)")
endif()

file(REMOVE_RECURSE "${ZELT_DOCS_OUTPUT}/html")
configure_file("${ZELT_SOURCE_DIR}/cmake/Version.h.in" "${ZELT_DOCS_OUTPUT}/include/zelt/Version.h" @ONLY)
configure_file("${ZELT_SOURCE_DIR}/docs/Doxyfile.in" "${ZELT_DOCS_OUTPUT}/Doxyfile" @ONLY)

execute_process(COMMAND "${DOXYGEN}" "${ZELT_DOCS_OUTPUT}/Doxyfile"
                WORKING_DIRECTORY "${ZELT_SOURCE_DIR}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "docs: doxygen reported warnings or failed (exit ${result})")
endif()
message(STATUS "API reference: ${ZELT_DOCS_OUTPUT}/html/index.html")
