# Moc runs again only when a file it scanned before changes, so a header
# added to a folder would never be moc'ed in an existing build folder. A
# generated header listing the target's files changes whenever a file is added
# or removed, and moc scans it with the rest.
function(tarmil_rerun_moc_on_new_files target)
  string(JOIN "\n// " source_list ${ARGN})
  set(list_header "${CMAKE_CURRENT_BINARY_DIR}/${target}_files.h")
  file(CONFIGURE OUTPUT "${list_header}" CONTENT "#pragma once\n// ${source_list}\n")
  target_sources(${target} PRIVATE "${list_header}")
endfunction()

# Every layer is a static library of all the sources in its folder, so adding a
# file needs no edit here. Subfolders that are layers of their own are excluded.
function(tarmil_layer target dir)
  cmake_parse_arguments(L "" "" "EXCLUDE;LINK" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${dir}/*.cpp" "${dir}/*.h")
  foreach(ex IN LISTS L_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${dir}/${ex}(/|$)")
  endforeach()
  if(NOT sources)
    set(sources "${CMAKE_SOURCE_DIR}/cmake/empty.cpp")
  endif()
  add_library(${target} STATIC ${sources})
  tarmil_rerun_moc_on_new_files(${target} ${sources})
  target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${target} PUBLIC ${L_LINK})
endfunction()

# One GoogleTest executable per layer; every test case is its own CTest test
# so the suite runs in parallel.
function(tarmil_tests target dir)
  cmake_parse_arguments(T "" "" "LINK" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  file(GLOB common CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/common/*.cpp"
                                      "${CMAKE_SOURCE_DIR}/tests/common/*.h")
  add_executable(${target} ${sources} ${common})
  tarmil_rerun_moc_on_new_files(${target} ${sources} ${common})
  target_link_libraries(${target} PRIVATE ${T_LINK} Qt6::Test GTest::gtest GTest::gmock PostgreSQL::PostgreSQL)
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                       DISCOVERY_TIMEOUT 30)
endfunction()
