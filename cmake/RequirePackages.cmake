# Every outside piece the build needs, with the Debian package that brings it.
# A missing one stops the configuration with a message that names the package.

function(zq_require_package cmake_name debian_package)
  find_package(${cmake_name} QUIET)
  if(NOT ${cmake_name}_FOUND)
    message(FATAL_ERROR
      "${cmake_name} was not found. Install the Debian package '${debian_package}':\n"
      "    apt-get install ${debian_package}")
  endif()
endfunction()

function(zq_require_program var program debian_package)
  find_program(${var} ${program})
  if(NOT ${var})
    message(FATAL_ERROR
      "The program '${program}' was not found. Install the Debian package '${debian_package}':\n"
      "    apt-get install ${debian_package}")
  endif()
endfunction()
