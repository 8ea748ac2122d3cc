# The manual pages, the documentation files of a Debian installation, and the
# Debian package built with CPack (scripts/package.sh).

set(ZORV_PACKAGE_MAINTAINER "Zorv 2008 maintainers <zorv2008@example.org>"
    CACHE STRING "The Maintainer field of the Debian package and its changelog")

# Debian wants the manual pages and the changelog compressed with gzip -9n (no
# name, no time: the same bytes on every build).
set(ZORV_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(ZORV_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
string(TIMESTAMP ZORV_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(VERSION ${PROJECT_VERSION})
set(MAINTAINER ${ZORV_PACKAGE_MAINTAINER})
set(DATE ${ZORV_PACKAGE_DATE})
set(zorv_gzipped)
foreach(page zorv2008.1 zorv.1 changelog)
  set(source ${ZORV_PACKAGING}/${page})
  if(page STREQUAL "changelog")
    set(source ${ZORV_PACKAGING}/changelog.in)
  endif()
  configure_file(${source} ${ZORV_PACKAGING_OUT}/${page} @ONLY)
  add_custom_command(OUTPUT ${ZORV_PACKAGING_OUT}/${page}.gz
    COMMAND gzip -9nf -k ${ZORV_PACKAGING_OUT}/${page}
    DEPENDS ${ZORV_PACKAGING_OUT}/${page} VERBATIM)
  list(APPEND zorv_gzipped ${ZORV_PACKAGING_OUT}/${page}.gz)
endforeach()
add_custom_target(zorv_packaging_files ALL DEPENDS ${zorv_gzipped})

install(FILES ${ZORV_PACKAGING_OUT}/zorv2008.1.gz ${ZORV_PACKAGING_OUT}/zorv.1.gz
        DESTINATION ${ZORV_INSTALL_MANDIR})
install(FILES ${ZORV_PACKAGING}/copyright ${ZORV_PACKAGING_OUT}/changelog.gz
        DESTINATION ${ZORV_INSTALL_DOCDIR})
install(FILES ${ZORV_PACKAGING}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME zorv2008)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorv2008)
set(CPACK_PACKAGE_VENDOR "Zorv 2008 maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZORV_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from what the programs link (dpkg-shlibdeps); the paper
# form is drawn in the DejaVu faces, and Qt's own dialogs speak Russian with the
# translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Russian personal income-tax declaration for 2008
A desktop program with which a private person, or a representative, prepares
the Russian personal income-tax declaration for tax year 2008: form 3-NDFL of
a resident or a non-resident, and the estimated-income form 4-NDFL. The
declaration is kept in a document file of its own (*.zv8), computed sheet by
sheet, checked, printed and exported in the formats of the tax authority.

The command-line tool zorv converts, computes, checks, exports and prints
declarations without a display.")
include(CPack)
