# What is installed beside the executable, and the packages made of it: a
# Debian package of a dynamic build, a .tar.gz of the installed tree of a
# fully static one (QUALM_STATIC), which runs on any Linux; for Windows, a zip.
include(GNUInstallDirs)
set(CPACK_PACKAGE_NAME qualm)
set(CPACK_PACKAGE_VENDOR "The qualm developers")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # One folder to unpack anywhere: the program, its documents and the
  # examples side by side.
  install(TARGETS qualm RUNTIME DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
  install(DIRECTORY examples/ DESTINATION examples)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "qualm-${PROJECT_VERSION}-win64")
  include(CPack)
  return()
endif()

install(TARGETS qualm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Debian wants the manual page and the changelog compressed, reproducibly.
# Where gzip is missing, the manual page is installed as it is.
find_program(QUALM_GZIP gzip)
function(qualm_install_doc source destination)
  get_filename_component(name "${source}" NAME)
  if(NOT QUALM_GZIP)
    install(FILES "${source}" DESTINATION "${destination}")
    return()
  endif()
  set(copy "${PROJECT_BINARY_DIR}/packaging/${name}")
  add_custom_command(OUTPUT "${copy}.gz"
    COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${copy}"
    COMMAND "${QUALM_GZIP}" -9nf "${copy}"
    DEPENDS "${source}" VERBATIM)
  add_custom_target("compress_${name}" ALL DEPENDS "${copy}.gz")
  install(FILES "${copy}.gz" DESTINATION "${destination}")
endfunction()

# The manual page and the changelog name the project's version. The manual
# page's source is a template, so that only a copy that names it is called
# qualm.1.
set(QUALM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qualm)
configure_file(man/qualm.1.in "${PROJECT_BINARY_DIR}/versioned/qualm.1" @ONLY)
configure_file(packaging/changelog "${PROJECT_BINARY_DIR}/versioned/changelog" @ONLY)
qualm_install_doc("${PROJECT_BINARY_DIR}/versioned/qualm.1" ${CMAKE_INSTALL_MANDIR}/man1)
qualm_install_doc("${PROJECT_BINARY_DIR}/versioned/changelog" ${QUALM_DOC_DIR})
install(FILES packaging/copyright README.md DESTINATION ${QUALM_DOC_DIR})
install(DIRECTORY examples/ DESTINATION ${QUALM_DOC_DIR}/examples)

set(CPACK_PACKAGE_CONTACT
  "The qualm developers <maintainers@users.noreply.c-seed-7028174d.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [=[
qualm runs programs written in a tiny language whose commands are single
characters, in either case: + does nothing, 9 sings the song of 99 bottles
of beer, h writes Hello World!, q writes the program's own text, and -,
the quality control operator, turns the command right before it into one
that ends the run: by an uncaught exception, the signal of a division by
zero, or output without end. Every other character is ignored.

Output is byte-exact, every line is flushed as it is ended, and every way a
run can end is defined and documented in qualm(1).]=])
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
if(QUALM_STATIC)
  set(CPACK_GENERATOR TGZ)
else()
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_PACKAGE_FILE_NAME
  "qualm-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION interpreters)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies as dpkg-shlibdeps finds them, where it (and file, which CPack
# needs for it) is at hand; otherwise the C library of at least the highest
# GLIBC_ version the executable asks for, read from it when it is packed.
find_program(QUALM_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(QUALM_FILE file)
if(QUALM_DPKG_SHLIBDEPS AND QUALM_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
file(GENERATE OUTPUT "${PROJECT_BINARY_DIR}/packaging/cpack_project.cmake" CONTENT
  "set(QUALM_EXECUTABLE \"$<TARGET_FILE:qualm>\")
include(\"${PROJECT_SOURCE_DIR}/packaging/deb_depends.cmake\")\n")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/packaging/cpack_project.cmake")

include(CPack)
