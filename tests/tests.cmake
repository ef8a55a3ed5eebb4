# Each test group keeps its own registration beside its sources.
file(GLOB QD_TEST_GROUPS ${CMAKE_CURRENT_SOURCE_DIR}/*/group.cmake)
list(SORT QD_TEST_GROUPS)
foreach(group ${QD_TEST_GROUPS})
  include(${group})
endforeach()
