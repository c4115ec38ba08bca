# The Debian package, built by scripts/package.sh from a Release build of its
# own. Depends is computed by dpkg-shlibdeps from the programs' libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME allelescope)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The AlleleScope developers")
set(CPACK_PACKAGE_CONTACT "AlleleScope developers <maintainers@allelescope.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "describe, compare and identify plant varieties by DNA markers")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories CPack creates itself get the usual 0755, whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The pictures of trees and maps draw Japanese variety names with this font;
# without it pango falls back to whatever the system has.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://allelescope.org/")
# CPack puts the summary first as the synopsis; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "AlleleScope reads a breeder's table of varieties by markers from a
spreadsheet workbook (SSR fragment sizes or character data) and writes its
results as new sheets into the same workbook: allele and genotype
frequencies with HE, HO and PIC, the marker combinations that tell each pair
of varieties apart, identification probabilities and 0/1 matrices.
.
This package holds the window (allelescope-gui) and the command line
(allelescope).")
include(CPack)
