# Read by cpack: a Debian package is made only where its library dependencies can be found.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(KESTRIX_SHLIBDEPS dpkg-shlibdeps)
    find_program(KESTRIX_FILE file)
    if(NOT KESTRIX_SHLIBDEPS OR NOT KESTRIX_FILE)
        message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps and file to find the "
                            "libraries Kestrix uses: apt-get install dpkg-dev file")
    endif()
endif()
