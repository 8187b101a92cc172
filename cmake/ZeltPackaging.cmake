# Install layout, pkg-config files and the Debian packages (`make package`).
#
# The libraries are static, so a Debian user finds them where static-only
# libraries live: in the -dev package, with the headers, the CMake package and
# the pkg-config files (components "dev"). The runtime package carries what
# runs: the demo hosts (component "runtime"). Install rules that name no
# component go to "dev" (CMAKE_INSTALL_DEFAULT_COMPONENT_NAME).

set(ZELT_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZeltOrderedItems)
set(ZELT_DEB_NAME zelt-ordered-items)

# The pkg-config files name their prefix from where they lie, so an unpacked
# package works from any root. GNUInstallDirs gives a relative libdir unless
# the builder set an absolute one.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(ZELT_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH _zelt_up "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
  string(REGEX REPLACE "/$" "" _zelt_up "${_zelt_up}")
  set(ZELT_PC_PREFIX "\${pcfiledir}/${_zelt_up}")
endif()

# Generates cmake/<name>.pc.in with the project version and installs it.
function(zelt_install_pkg_config name)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${name}.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()

# The examples and the sample order they open, where Debian keeps a package's examples.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${ZELT_DEB_NAME}-dev/examples)

set(CPACK_PACKAGE_NAME ${ZELT_DEB_NAME})
set(CPACK_PACKAGE_VENDOR "Zelt")
set(CPACK_PACKAGE_CONTACT "ZeltOrderedItems maintainers <zelt-ordered-items@zelt.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Line-item editor control for purchase-order screens")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${ZELT_DEB_NAME})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION misc)
# The demo hosts' shared libraries (Qt, libcurl, cpp-httplib, ...) as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
"The demo hosts: zelt-demo shows the OrderedItems control on an order screen
with the sample order and stand-in tax and surcharge services; zelt-demo-cli
prints the same order without a window; zelt-session runs a script of host
calls and clerk actions against the control.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${ZELT_DEB_NAME}-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# What a host needs to link the static libraries and to configure with the
# CMake package (which finds these with find_dependency / pkg_check_modules).
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
  "libcurl4-openssl-dev | libcurl-dev, libpugixml-dev, nlohmann-json3-dev, qt6-base-dev, libcpp-httplib-dev, pkg-config")
set(CPACK_DEBIAN_DEV_DESCRIPTION
"The development files: the OrderedItems control as static C++20 libraries,
Zelt::OrderedItems (no Qt), Zelt::OrderedItemsQt (the control as a QWidget)
and Zelt::StandIns (loopback stand-ins of the tax and surcharge services),
with headers, the CMake package ZeltOrderedItems, pkg-config files and two
example hosts.")

include(CPack)
