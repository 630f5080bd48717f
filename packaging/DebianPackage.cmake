# The Debian package: everything `cmake --install` puts under the prefix, as
# /usr. The shared libraries the programs link are found by dpkg-shlibdeps;
# what Qt loads at run time and the faces the window is designed around are
# named here, and xraylib, whose binding energies name the photoelectron lines.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The Korvane authors")
set(CPACK_PACKAGE_CONTACT "The Korvane authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "electron mean free paths in solids for XPS and Auger analysis")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Korvane is a desktop calculator for surface analysts. For a solid from its\n"
    "editable SQLite materials database it gives the inelastic mean free path\n"
    "(IMFP) of electrons by the TPP-2M formula of Tanuma, Powell and Penn, and\n"
    "the correction factor for elastic-electron scattering of a signal from a\n"
    "given depth. The command-line calculator tpp2m answers from the same\n"
    "database for many materials and energies at once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libxrl11, qt6-qpa-plugins, fonts-liberation2, fonts-crosextra-carlito, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sqlite3")

# The Python module is a package of its own, python3-korvane, as Debian names
# Python modules: installing the calculator does not bring in Python and
# NumPy, and the module needs neither the window's libraries nor its fonts.
# The module carries the shipped materials itself, so it stands alone.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME korvane)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
if(TARGET korvane_python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-korvane)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${KORVANE_PYTHON_DEPENDS}, python3-numpy, libxrl11")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS "")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-matplotlib")
  string(CONCAT CPACK_DEBIAN_PYTHON_DESCRIPTION
      "The Python module korvane of the Korvane calculator: the inelastic mean free\n"
      "paths (IMFP) of electrons by the TPP-2M formula and the correction factors for\n"
      "elastic-electron scattering, for numbers and NumPy arrays, from the same code\n"
      "and materials database as the window and tpp2m.")
endif()

include(CPack)
