# Every folder's sources are picked up by glob so that a new class only needs its files.
function(itarnvale_glob out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
         "${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp" "${CMAKE_SOURCE_DIR}/src/${dir}/*.h"
         "${CMAKE_SOURCE_DIR}/src/${dir}/*.ui")
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
