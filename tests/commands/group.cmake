# The commands on the real main window: deleting shortcuts, making them from dropped files, and
# the shell actions, all driven through the window's own messages.
qd_add_test(command_tests WITH_RESOURCES SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/delete_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/names_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_actions_test.cpp)
