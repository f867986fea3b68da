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
