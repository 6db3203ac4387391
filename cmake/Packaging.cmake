# Installation (program, manual page, example diagrams) and the Debian package.
include(GNUInstallDirs)

install(TARGETS plimko RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.uxf")

# Manual pages and changelogs are installed gzipped (-n: no name or time stamp, so
# that two builds give the same bytes). They are compressed when installing, so that
# building the program alone is enough to install it.
function(plimko_install_gzipped source destination name)
  set(gzipped ${CMAKE_CURRENT_BINARY_DIR}/gz/${name})
  install(CODE "
    file(MAKE_DIRECTORY \"${CMAKE_CURRENT_BINARY_DIR}/gz\")
    execute_process(COMMAND gzip -9n -c \"${source}\" OUTPUT_FILE \"${gzipped}\"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR \"gzip of ${source} failed\")
    endif()")
  install(FILES ${gzipped} DESTINATION ${destination})
endfunction()

# The page in the source tree names no version, so that it reads the same through
# man -l and project() stays the version's one place; the installed page gets it in
# the footer of its title line. An edited page configures the build anew.
set(page_source ${PROJECT_SOURCE_DIR}/doc/plimko.1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${page_source})
file(READ ${page_source} page)
string(REGEX REPLACE "\n(\\.TH PLIMKO 1 [^ ]+) plimko " "\n\\1 \"plimko ${PROJECT_VERSION}\" "
       versioned_page "${page}")
if(versioned_page STREQUAL page)
  message(FATAL_ERROR "doc/plimko.1: no title line \".TH PLIMKO 1 DATE plimko ...\"")
endif()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/man/plimko.1 "${versioned_page}")
plimko_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/man/plimko.1 ${CMAKE_INSTALL_MANDIR}/man1
                       plimko.1.gz)
plimko_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${CMAKE_INSTALL_DOCDIR}
                       changelog.gz)
install(FILES packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plimko)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Seed ba513ca1 maintainers <maintainers@users.noreply.c-seed-ba513ca1.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "convert UMLet class diagrams into Pharo Smalltalk source
plimko reads a UML class diagram saved by the UMLet editor (a .uxf file)
and writes Pharo Smalltalk source in chunk format (a .st file), ready to be
filed in. Every class of the diagram becomes a Smalltalk class with its
superclass, instance and class variables, a class comment that documents the
variables and associations, an initialize method, accessors and method stubs
for the operations.")
include(CPack)
