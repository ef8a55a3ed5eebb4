# The stress suite: the real main window in-process under hostile folders, with every file of the
# test tree hashed around each case. Its own main prints the run's summary line.
qd_add_test(stress_tests WITH_RESOURCES SOURCES ${CMAKE_CURRENT_LIST_DIR}/stress_test.cpp)
target_link_libraries(stress_tests PRIVATE psapi)  # GetProcessMemoryInfo for the soak
