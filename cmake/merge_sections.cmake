# Fewer sections in the program's file: each one starts on a 512-byte boundary, so each costs up to
# 511 bytes of padding. qd_merge_sections(target) links target with GNU ld's own default script,
# changed in two places: the unwind data (.xdata) goes into the read-only data, and the writable
# data (.data, a few dozen bytes) to the end of the imports, which are writable too. The unwind
# table (.pdata) and the other directories keep their own sections, where the linker and the
# loader look for them. A linker whose default script differs links with that default instead.
function(qd_merge_sections target)
  if(MSVC OR NOT CMAKE_LINKER)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  # The script stands between two lines of "=" in the linker's report.
  string(REGEX MATCH "\n=+\n(.*)\n=+" script "${text}")
  set(script "${CMAKE_MATCH_1}")
  set(data "    __data_start__ = . ;\n    *(.data)\n    *(.data2)\n    *(SORT(.data$*))\n    KEEP(*(.jcr))\n    __data_end__ = . ;\n")
  set(imports_end "    KEEP (SORT(*)(.idata$7))\n  }")
  set(rdata_end "    __rt_psrelocs_end = .;\n  }")
  set(xdata "  .xdata BLOCK(__section_alignment__) :\n  {\n    KEEP(*(.xdata*))\n  }\n")
  string(FIND "${script}" "${data}" at_data)
  string(FIND "${script}" "${imports_end}" at_imports)
  if(failed OR at_data EQUAL -1 OR at_imports EQUAL -1)
    message(STATUS "Quiverdesk: the linker's default script is not the one expected; sections stay apart")
    return()
  endif()
  string(REPLACE "${data}" "" script "${script}")
  string(REPLACE "${imports_end}" "    KEEP (SORT(*)(.idata$7))\n    . = ALIGN(16);\n${data}  }" script "${script}")
  # 32-bit code has no .xdata.
  string(FIND "${script}" "${xdata}" at_xdata)
  if(NOT at_xdata EQUAL -1)
    string(REPLACE "${xdata}" "" script "${script}")
    string(REPLACE "${rdata_end}" "    __rt_psrelocs_end = .;\n    KEEP(*(.xdata*))\n  }" script "${script}")
  endif()
  set(file ${CMAKE_BINARY_DIR}/quiverdesk_sections.ld)
  file(WRITE ${file} "${script}\n")
  target_link_options(${target} PRIVATE -Wl,-T,${file})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${file})
endfunction()
