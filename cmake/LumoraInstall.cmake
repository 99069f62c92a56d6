# cmake --install: the shared library with its headers, a CMake package
# (find_package(OrvaneLumora [COMPONENTS Window])), pkg-config files (the
# windows' own when built), and the lumora program.
include(CMakePackageConfigHelpers)

set(LUMORA_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/orvane-lumora)
set(LUMORA_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/OrvaneLumora)

if(TARGET OrvaneLumora)
  install(TARGETS OrvaneLumora EXPORT OrvaneLumoraTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${LUMORA_INSTALL_INCLUDEDIR})
  # The headers of every layer the library holds, in their folders, so that
  # includes read as they do in the source tree ("platform/form/form.hpp").
  foreach(layer platform frame piczoom scrollcontainer about forms module)
    if(EXISTS ${PROJECT_SOURCE_DIR}/src/${layer})
      install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${layer}
        DESTINATION ${LUMORA_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.hpp" PATTERN "*.h")
    endif()
  endforeach()

  # Windows, when built: the library and its one public header (the SDL
  # side stays inside).
  set(LUMORA_HAS_WINDOW no)
  if(TARGET OrvaneLumoraWindow)
    set(LUMORA_HAS_WINDOW yes)
    install(TARGETS OrvaneLumoraWindow EXPORT OrvaneLumoraTargets
      LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
      INCLUDES DESTINATION ${LUMORA_INSTALL_INCLUDEDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/src/window/windows.hpp
      DESTINATION ${LUMORA_INSTALL_INCLUDEDIR}/window)
  endif()

  install(EXPORT OrvaneLumoraTargets NAMESPACE OrvaneLumora::
    DESTINATION ${LUMORA_INSTALL_CMAKEDIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/package/OrvaneLumoraConfig.cmake.in
    ${PROJECT_BINARY_DIR}/package/OrvaneLumoraConfig.cmake
    INSTALL_DESTINATION ${LUMORA_INSTALL_CMAKEDIR}
    PATH_VARS LUMORA_INSTALL_INCLUDEDIR)
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/OrvaneLumoraConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/package/OrvaneLumoraConfig.cmake
    ${PROJECT_BINARY_DIR}/package/OrvaneLumoraConfigVersion.cmake
    DESTINATION ${LUMORA_INSTALL_CMAKEDIR})

  # The .pc file finds the prefix from its own place, so the tree can move.
  string(REGEX REPLACE "[^/]+" ".." LUMORA_PC_UP "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/package/orvane-lumora.pc.in
    ${PROJECT_BINARY_DIR}/package/orvane-lumora.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/package/orvane-lumora.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  if(LUMORA_HAS_WINDOW)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/package/orvane-lumora-window.pc.in
      ${PROJECT_BINARY_DIR}/package/orvane-lumora-window.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/package/orvane-lumora-window.pc
      DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  endif()
endif()

# The Qt widgets (a component of the package: find_package(OrvaneLumora
# COMPONENTS Qt)) and the Qt Designer plugin, in Qt's plugin folder under the
# prefix.
if(TARGET OrvaneLumoraQt)
  install(TARGETS OrvaneLumoraQt EXPORT OrvaneLumoraQtTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${LUMORA_INSTALL_INCLUDEDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/qt DESTINATION ${LUMORA_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.hpp"
    PATTERN "designer" EXCLUDE PATTERN "form_placing.hpp" EXCLUDE)
  install(EXPORT OrvaneLumoraQtTargets NAMESPACE OrvaneLumora::
    DESTINATION ${LUMORA_INSTALL_CMAKEDIR})
  if(TARGET orvane_lumora_designer)
    install(TARGETS orvane_lumora_designer LIBRARY DESTINATION ${LUMORA_DESIGNER_PLUGIN_DIR})
  endif()
endif()

if(TARGET lumora)
  install(TARGETS lumora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
