# Installing the calculator like a Linux desktop program, and the Debian
# package made from that install (cpack -G DEB).
add_subdirectory(${CMAKE_CURRENT_LIST_DIR} ${PROJECT_BINARY_DIR}/packaging)
include(${CMAKE_CURRENT_LIST_DIR}/DebianPackage.cmake)
