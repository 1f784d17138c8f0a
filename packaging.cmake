# Packages: a Debian package and a .tar.gz of the installed tree.
set(CPACK_PACKAGE_NAME qualm)
set(CPACK_PACKAGE_VENDOR "The qualm developers")
set(CPACK_PACKAGE_CONTACT "The qualm developers <maintainers@users.noreply.c-seed-7028174d.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_FILE_NAME "qualm-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION interpreters)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies as dpkg-shlibdeps finds them, where it (and file, which CPack
# needs for it) is at hand; otherwise what a Debian 12 build needs.
find_program(QUALM_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(QUALM_FILE file)
if(QUALM_DPKG_SHLIBDEPS AND QUALM_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34)")
endif()

include(CPack)
