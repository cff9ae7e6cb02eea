# What the Windows cross build needs that Debian has only for the build machine: the
# header-only CLI11 and GoogleTest (built from its source package). Included instead of the
# host's find_package calls.
if(NOT TARGET CLI11::CLI11)
  # Only CLI11's own folder: the host's /usr/include must not reach the Windows compiler.
  set(VISTREL_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
  file(COPY /usr/include/CLI DESTINATION ${VISTREL_HOST_HEADERS})
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${VISTREL_HOST_HEADERS})
endif()

if(NOT VISTREL_FUZZ AND NOT TARGET GTest::gtest)
  set(VISTREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source (Debian's googletest)")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${VISTREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own build defines the GTest:: names.
  set(GTest_FOUND TRUE)
endif()

# The tests run under wine (scripts/wine-run gives every run the build's own prefix).
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
endif()

# The archive operators unpack (made in cmake/Install.cmake, tested in tests/windows).
set(VISTREL_WINDOWS_ARCHIVE ${CMAKE_BINARY_DIR}/dist/vistrel-${PROJECT_VERSION}-windows-x86_64.zip)
set(VISTREL_WINDOWS_DEBUG_ARCHIVE
    ${CMAKE_BINARY_DIR}/dist/vistrel-${PROJECT_VERSION}-windows-x86_64-debug.zip)
