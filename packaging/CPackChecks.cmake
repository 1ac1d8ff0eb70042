# Read by cpack before it builds a package. The Debian package learns which packages the
# program's libraries come from with dpkg-shlibdeps; without it CPack would only warn and
# make a package that depends on the fonts alone, which installs and then cannot start.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(BUSENJE_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(BUSENJE_FILE_UTILITY file)
  if(NOT BUSENJE_DPKG_SHLIBDEPS OR NOT BUSENJE_FILE_UTILITY)
    message(FATAL_ERROR
      "The Debian package needs dpkg-shlibdeps and file to find its dependencies; "
      "install the packages dpkg-dev and file (apt-get install dpkg-dev file).")
  endif()
endif()
