# The kernel as a CMake package for other plug-ins:
#   find_package(KSKernel 1.0 REQUIRED)
#   target_link_libraries(my_plugin PRIVATE KS::kernel KS::callbacks)
# KS::kernel (debug reporting, strings, floating point) calls the host through
# KS::callbacks (gCBP and the KS_ wrappers), which is spelled in
# KS::interface and KS::kernel_types; KS::platform holds the operating-system
# services. `cmake --install <build> --component kernel` installs just these.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(movedup_kernel_targets ks_platform ks_kernel_types ks_interface ks_callbacks ks_kernel)
foreach(target IN LISTS movedup_kernel_targets)
  string(REGEX REPLACE "^ks_" "" name ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
endforeach()

install(TARGETS ${movedup_kernel_targets} EXPORT KSKernelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT kernel)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/ ${PROJECT_SOURCE_DIR}/sdklib/types/include/
                  ${PROJECT_SOURCE_DIR}/interface/include/ ${PROJECT_SOURCE_DIR}/callbacks/include/
                  ${PROJECT_SOURCE_DIR}/sdklib/include/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT kernel)

set(movedup_kernel_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/KSKernel)
install(EXPORT KSKernelTargets NAMESPACE KS:: DESTINATION ${movedup_kernel_cmake_dir} COMPONENT kernel)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KSKernelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/KSKernelConfig.cmake INSTALL_DESTINATION ${movedup_kernel_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KSKernelConfigVersion.cmake VERSION ${PROJECT_VERSION}
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KSKernelConfig.cmake ${PROJECT_BINARY_DIR}/KSKernelConfigVersion.cmake
        DESTINATION ${movedup_kernel_cmake_dir} COMPONENT kernel)
