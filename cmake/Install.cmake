# The installed game: the programs with their data in one folder, links to them on the PATH, the
# desktop entry, its AppStream description and icons; and a Debian package of all that.

# bin/karven and bin/karven-sim point into the folder: each program finds its data beside the file
# the link names.
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${root}/bin")
  foreach(program karven karven-sim)
    if(EXISTS "${root}/lib/karven/${program}")
      file(CREATE_LINK "../lib/karven/${program}" "${root}/bin/${program}" SYMBOLIC)
    endif()
  endforeach()
]])

set(CPACK_PACKAGE_NAME karven)
set(CPACK_PACKAGE_VENDOR "KARVEN developers")
set(CPACK_PACKAGE_CONTACT "KARVEN developers <karven@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "A desktop game that simulates seasons of Grand Prix motor racing: qualifying, a race told lap by lap, standings, career records and the transfer market between seasons. All texts are Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # the Qt and C++ libraries the programs link, by dpkg-shlibdeps
# What the programs need besides the libraries they link: the Japanese font and Qt's own texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
include(CPack)
