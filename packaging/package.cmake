# The Debian package: `cpack -G DEB` in the build folder makes
# pointimport_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME pointimport)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Points import tool maintainers <pointimport@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "import orienteering results into a ranking points database")
set(CPACK_PACKAGE_DESCRIPTION
  "A small Japanese desktop tool (ポイント取込ツール) for the people who keep an
orienteering ranking. It opens the lap file of one event (IOF XML result
list), shows the event and its keyword, and imports the event into the
ranking points database: the event, one result row per runner and class with
its ranking points, and the runners' person rows. Each user's database is
kept in ~/.local/share/pointimport/. The command-line program
pointimport-cli creates databases and imports many lap files at once.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The file dialog's Japanese texts come from Qt's translations; the window's
# own texts need a Japanese font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
include(CPack)
