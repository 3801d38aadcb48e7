# What `cmake --install` puts in place: the layers' static libraries, their public headers (the
# internal *_p.h ones stay behind), a CMake package and a pkg-config file. A program outside the
# tree then says
#     find_package(VexoControls REQUIRED)
#     target_link_libraries(app PRIVATE VexoControls::VexoControls)
# or links single layers (VexoControls::grid, VexoControls::misc, ...).
include(CMakePackageConfigHelpers)

set(VEXO_INCLUDE_ROOT ${CMAKE_INSTALL_INCLUDEDIR}/vexocontrols)
set(VEXO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/VexoControls)

foreach(layer IN LISTS VEXO_LAYERS)
  get_target_property(folder ${layer} VEXO_FOLDER)
  string(REGEX REPLACE "^vexo_" "" short ${layer})
  set_target_properties(${layer} PROPERTIES EXPORT_NAME ${short})
  install(DIRECTORY ${folder}/ DESTINATION ${VEXO_INCLUDE_ROOT}/${folder}
          FILES_MATCHING PATTERN "*.h" PATTERN "*_p.h" EXCLUDE)
endforeach()
set_target_properties(vexocontrols PROPERTIES EXPORT_NAME VexoControls)

install(TARGETS ${VEXO_LAYERS} vexocontrols EXPORT VexoControlsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${VEXO_INCLUDE_ROOT})
install(EXPORT VexoControlsTargets NAMESPACE VexoControls:: DESTINATION ${VEXO_CMAKE_DIR})

configure_package_config_file(cmake/VexoControlsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VexoControlsConfig.cmake INSTALL_DESTINATION ${VEXO_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VexoControlsConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VexoControlsConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/VexoControlsConfigVersion.cmake
        DESTINATION ${VEXO_CMAKE_DIR})

# pkg-config: the layers from the top down, as a static link wants them, after the name that keeps
# the list pop-up in the link (as the vexocontrols target asks for it).
set(VEXO_PC_LIBS " ${VEXO_KEEP_LIST_POPUP}")
list(REVERSE VEXO_LAYERS)
foreach(layer IN LISTS VEXO_LAYERS)
  string(APPEND VEXO_PC_LIBS " -l${layer}")
endforeach()
list(REVERSE VEXO_LAYERS)
configure_file(cmake/vexocontrols.pc.in ${CMAKE_CURRENT_BINARY_DIR}/vexocontrols.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vexocontrols.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
