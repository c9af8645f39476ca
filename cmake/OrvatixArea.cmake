# An area of src/ builds two libraries from its own folder:
#
#   orvatix_logic_library(<target> LIBS <libs...>)    in src/<area>/CMakeLists.txt
#   orvatix_widgets_library(<target> [SOURCES <extra files...>] LIBS <libs...>)
#                                                     in src/<area>/widgets/CMakeLists.txt
#
# Each takes every .cpp directly in the calling folder. The logic library
# holds what decides, without a screen; the widgets library holds the area's
# windows over it and is built only with ORVATIX_WIDGETS. The logic library
# adds the area's widgets/ folder itself.

function(orvatix_logic_library target)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${A_LIBS} PRIVATE orvatix_warnings)
  if(ORVATIX_WIDGETS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/widgets/CMakeLists.txt)
    add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/widgets)
  endif()
endfunction()

function(orvatix_widgets_library target)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources} ${A_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${A_LIBS} Qt6::Widgets PRIVATE orvatix_warnings)
endfunction()
