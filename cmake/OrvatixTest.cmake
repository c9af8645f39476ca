# orvatix_add_test(NAME <name> SOURCES <files...> LIBS <targets...> LABELS <labels...> [TIMEOUT s]
#                  [RESOURCE_LOCK <names...>] [ALONE])
#
# One GoogleTest executable, one CTest test. LABELS decide which checks of
# ./test.sh run it: "unit", "e2e" (both also under ASan+UBSan) and "threaded"
# (also under TSan). Each label has an aggregate target (tests_unit, tests_e2e,
# tests_threaded) so a sanitizer build compiles only what it runs.
#
# Every test runs in parallel with the others (ctest -j): pseudo-terminals,
# temporary folders, the working directory and the environment are each test
# program's own. A test that needs something the machine has once (a fixed
# port, a file outside its own folders) names it in RESOURCE_LOCK, so tests
# naming the same resource never run together; ALONE runs it with nothing else.
include(${CMAKE_CURRENT_LIST_DIR}/OrvatixTestBuild.cmake)

foreach(label unit e2e threaded)
  if(NOT TARGET tests_${label})
    add_custom_target(tests_${label})
  endif()
endforeach()

function(orvatix_add_test)
  cmake_parse_arguments(T "ALONE" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                                          orvatix_warnings orvatix_test_flags)
  orvatix_test_compile_setup(${T_NAME})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORVATIX_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(T_RESOURCE_LOCK)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
  if(T_ALONE)
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL ON)
  endif()
  foreach(label IN LISTS T_LABELS)
    if(TARGET tests_${label})
      add_dependencies(tests_${label} ${T_NAME})
    endif()
  endforeach()
endfunction()
