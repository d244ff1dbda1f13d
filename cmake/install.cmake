# Install rules of the two libraries, their headers, the program and its
# manual page, with a CMake package (find_package(korvu_asn1 CONFIG) gives
# korvu::asn1 and korvu::util) and pkg-config files (korvu_asn1, korvu_util).
include(CMakePackageConfigHelpers)

# The shared objects carry the major version in their SONAME:
# libkorvu_asn1.so.1 -> libkorvu_asn1.so.1.10.
foreach(lib korvu_util korvu_asn1)
  set_target_properties(${lib} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endforeach()
set_target_properties(korvu_util PROPERTIES EXPORT_NAME util)
set_target_properties(korvu_asn1 PROPERTIES EXPORT_NAME asn1)

# The installed program finds the installed libraries wherever the prefix is.
file(RELATIVE_PATH KORVU_BIN_TO_LIB "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
set_target_properties(korvu-asn1 PROPERTIES INSTALL_RPATH "$ORIGIN/${KORVU_BIN_TO_LIB}")

install(TARGETS korvu_util korvu_asn1 EXPORT korvu_asn1Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS korvu-asn1 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/korvu DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT development FILES_MATCHING PATTERN "*.h" PATTERN "*.hpp")
install(FILES ${PROJECT_SOURCE_DIR}/tools/korvu-asn1.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)

set(KORVU_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/korvu_asn1)
install(EXPORT korvu_asn1Targets NAMESPACE korvu:: DESTINATION ${KORVU_CMAKE_DIR} COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/korvu_asn1Config.cmake.in
  ${PROJECT_BINARY_DIR}/korvu_asn1Config.cmake INSTALL_DESTINATION ${KORVU_CMAKE_DIR})
# Same major version: compatible.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/korvu_asn1ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/korvu_asn1Config.cmake ${PROJECT_BINARY_DIR}/korvu_asn1ConfigVersion.cmake
  DESTINATION ${KORVU_CMAKE_DIR} COMPONENT development)

# pkg-config: the prefix is found from where the .pc file lies, so that an
# installation moved with `cmake --install --prefix` stays usable.
file(RELATIVE_PATH KORVU_PC_TO_PREFIX "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig" "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" KORVU_PC_TO_PREFIX "${KORVU_PC_TO_PREFIX}")
foreach(pc korvu_util korvu_asn1)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
endforeach()
