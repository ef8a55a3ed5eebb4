# The main window driven in-process: rows, tabs, toolbar, layout, and what it holds over its life.
qd_add_test(window_tests WITH_RESOURCES SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/window_view_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_lifetime_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_dpi_test.cpp)
