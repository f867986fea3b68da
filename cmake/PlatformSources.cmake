# Picks the platform layer's backends for the system being built for. The
# shared files of src/platform/ (code page, headless console, DOS masks, key
# decoder, terminal writer) build everywhere; the POSIX backends (system
# calls, OFD locks, the terminal, the path mapper over a POSIX disk) only on
# POSIX, and src/platform/windows/ only on Windows.

set(ZQ_POSIX_ONLY_SOURCES
    "/src/platform/(posix_[a-z_]+|ofd_locks|path_mapper|counting_syscalls|terminal_console|terminal_guard)\\.cpp$")

function(zq_select_platform_sources sources_var)
  set(sources ${${sources_var}})
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "${ZQ_POSIX_ONLY_SOURCES}")
  else()
    list(FILTER sources EXCLUDE REGEX "/src/platform/windows/")
  endif()
  set(${sources_var} ${sources} PARENT_SCOPE)
endfunction()

# Tests of the POSIX backends (the terminal under tmux, OFD locks, fault
# injection into POSIX system calls) and tests/posix/ build only on POSIX;
# tests/windows/ only on Windows.
set(ZQ_POSIX_ONLY_TESTS
    "/tests/(posix_file_system|terminal_console|converter_terminal|toolkit_terminal|copy_engine|record_file|text_file|company_text_data|ini_file|path_mapper|annual_settings|run_log_file|company_marker|office_faults)_test\\.cpp$"
    "/tests/support/(tmux|office_fault_run)\\.cpp$"
    "/tests/programs/(console_probe|toolkit_probe|log_probe|register_inserter)\\.cpp$")

function(zq_select_platform_tests sources_var)
  set(sources ${${sources_var}})
  if(WIN32)
    foreach(pattern ${ZQ_POSIX_ONLY_TESTS})
      list(FILTER sources EXCLUDE REGEX "${pattern}")
    endforeach()
    list(FILTER sources EXCLUDE REGEX "/tests/posix/")
  else()
    list(FILTER sources EXCLUDE REGEX "/tests/windows/")
  endif()
  set(${sources_var} ${sources} PARENT_SCOPE)
endfunction()

# GoogleTest built with the project's compiler from the sources that Debian's
# googletest package installs, for a cross build that has no library for its
# target.
macro(zq_googletest_from_source)
  if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources were not found. Install the Debian package "
                        "'googletest':\n    apt-get install googletest")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()
