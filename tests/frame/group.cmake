# The program frame: the main window's outer shape, the real message loop with its accelerators,
# the About box; and the real Quiverdesk.exe started and inspected from another process.
qd_add_test(frame_tests WITH_RESOURCES SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/frame_test.cpp)
qd_add_test(blackbox_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/blackbox_test.cpp)
