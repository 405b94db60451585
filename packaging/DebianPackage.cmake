# cpack -G DEB: a Debian package of everything `cmake --install` puts in place, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellumatic)
set(CPACK_PACKAGE_VENDOR "Vellumatic")
set(CPACK_PACKAGE_CONTACT "Vellumatic developers <vellumatic@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Expand bracket templates into repetitive source text")
set(CPACK_PACKAGE_DESCRIPTION
    "Vellumatic keeps a catalogue of templates and a catalogue of values as trees. Running a
template repeats its groups over a counter, numbers the field markers in the repeated text,
and fills each marker with a value picked from the value tree. vellumatic-expand runs the
same expansion in scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The libraries the programs link, as dpkg-shlibdeps finds them; the SQL drivers are plugins
# it cannot see, so the SQLite one the import needs at least is named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-psql, libqt6sql6-odbc")
include(CPack)
