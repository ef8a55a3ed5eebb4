# The shortcut model: text and container types, path scans, shortcut items, the list and the
# folder lookup, with real shortcut files from tests/data/lnk.
qd_add_test(model_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/containers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shortcut_item_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lnk_samples_test.cpp)
