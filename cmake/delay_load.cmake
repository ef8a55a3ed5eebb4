# Delay-loaded imports: the program starts without shell32 and ole32, which load at their first
# call. qd_delay_load(target dll...) links target against them so, with MinGW's dlltool or MSVC's
# /DELAYLOAD.
function(qd_delay_load target)
  if(MSVC)
    foreach(dll ${ARGN})
      target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(${target} PRIVATE delayimp)
    return()
  endif()
  if(NOT CMAKE_DLLTOOL)
    string(REGEX REPLACE "g\\+\\+(-posix)?$" "dlltool" CMAKE_DLLTOOL ${CMAKE_CXX_COMPILER})
  endif()
  foreach(dll ${ARGN})
    # 64-bit names carry no argument bytes.
    set(def ${CMAKE_BINARY_DIR}/delay/${dll}.def)
    file(READ ${CMAKE_SOURCE_DIR}/cmake/${dll}.def text)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")
    endif()
    file(WRITE ${def} "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --kill-at
      DEPENDS ${def} VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${dll}_delay)
    target_link_libraries(${target} PRIVATE ${lib})
  endforeach()
endfunction()
