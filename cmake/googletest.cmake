# GoogleTest for the test programs: built from the source tree Debian's googletest package installs,
# with the same runtime as the tests, or else an installed one. Sets QD_GTEST_TARGET.
set(QD_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(EXISTS "${QD_GTEST_SOURCE_DIR}/CMakeLists.txt")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QD_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QD_GTEST_TARGET gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(QD_GTEST_TARGET GTest::gtest GTest::gtest_main)
endif()
