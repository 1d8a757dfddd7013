# A Debian package of what `cmake --install` installs: cd build/default && cpack -G DEB
# The shared libraries found in the programs give the package's library dependencies; the
# display platform plugins, which Qt loads at run time, are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kest)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KEST developers")
set(CPACK_PACKAGE_CONTACT "KEST maintainers <maintainers@kest.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Trap densities and emission rates from discharge-current transients")
set(CPACK_PACKAGE_DESCRIPTION
  "KEST smooths a measured discharge-current transient, computes its KEST signal and\
 evaluates the trap sheet densities and emission rates at its peaks, with sweeps of the\
 reference emission rate to separate overlapping traps. The package holds the desktop\
 application kest and the batch tool kest-batch.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(KEST_DEPENDS "")
find_program(KEST_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KEST_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  list(APPEND KEST_DEPENDS libc6 libstdc++6 libgcc-s1)
  if(KEST_BUILD_GUI)
    list(APPEND KEST_DEPENDS libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6concurrent6
                             libqt6webenginewidgets6 libqcustomplot2.1-qt6)
  endif()
endif()
if(KEST_BUILD_GUI)
  list(APPEND KEST_DEPENDS qt6-qpa-plugins)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
endif()
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS ${KEST_DEPENDS})

include(CPack)
