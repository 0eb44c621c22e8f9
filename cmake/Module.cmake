# tundrel_module(NAME folder-relative sources are globbed): one static library per source folder.
# Every .cpp below the folder (except tests, which live under tests/) belongs to the library.
function(tundrel_module name)
  cmake_parse_arguments(ARG "" "" "PUBLIC_INCLUDE;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${ARG_PUBLIC_INCLUDE})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE tundrel_warnings ${ARG_PRIVATE_LIBS})
endfunction()
