# The resources compiled into Quiverdesk.exe, read back from the built program as data.
qd_add_test(resource_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/resource_tests.cpp)
