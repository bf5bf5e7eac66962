include(CMakePackageConfigHelpers)

install(TARGETS ZELTavSymbolicCalculator ZELTavHost
  EXPORT ZELTavSymbolicCalculatorTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES include/ZELTavSymbolicCalculator.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/ZELTavSymbolicCalculator DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${ZELTAV_GENERATED_INCLUDE_DIR}/ZELTavSymbolicCalculator/Version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ZELTavSymbolicCalculator)

set(ZELTAV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZELTavSymbolicCalculator)
install(EXPORT ZELTavSymbolicCalculatorTargets
  NAMESPACE ZELTavSymbolicCalculator::
  DESTINATION ${ZELTAV_CMAKE_DIR})
configure_package_config_file(cmake/ZELTavSymbolicCalculatorConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/ZELTavSymbolicCalculatorConfig.cmake
  INSTALL_DESTINATION ${ZELTAV_CMAKE_DIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/ZELTavSymbolicCalculatorConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/ZELTavSymbolicCalculatorConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/ZELTavSymbolicCalculatorConfigVersion.cmake
  DESTINATION ${ZELTAV_CMAKE_DIR})

# The .pc file finds its prefix relative to itself, so any install prefix works.
file(RELATIVE_PATH ZELTAV_PC_TO_PREFIX "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
configure_file(cmake/ZELTavSymbolicCalculator.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/ZELTavSymbolicCalculator.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZELTavSymbolicCalculator.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The licence travels with the headers and the library.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
