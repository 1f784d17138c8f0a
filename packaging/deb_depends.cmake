# Read by CPack for each package it makes: without dpkg-shlibdeps, the
# Debian package depends on the C library of at least the highest GLIBC_
# symbol version that the executable ($QUALM_EXECUTABLE) asks for.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
  file(STRINGS "${QUALM_EXECUTABLE}" versions REGEX "^GLIBC_[0-9.]+$")
  set(highest 0)
  foreach(version IN LISTS versions)
    string(REPLACE "GLIBC_" "" version "${version}")
    if(version VERSION_GREATER highest)
      set(highest "${version}")
    endif()
  endforeach()
  if(highest)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= ${highest})")
  endif()
endif()
