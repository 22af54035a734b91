# Installation under the usual prefixes, and the Debian package (scripts/package.sh).
# The menu entry runs a launcher that starts the program in the user's data folder.
include(GNUInstallDirs)

set(TREMORA_LAUNCHER_DIR "${CMAKE_INSTALL_LIBEXECDIR}/tremora")
set(TREMORA_PRESETS_DIR "${CMAKE_INSTALL_DATADIR}/tremora/save")
set(TREMORA_RECORDS_DIR "${CMAKE_INSTALL_DATADIR}/tremora/records")
# Paths from the launcher to the program, the presets and the example records, relative so
# an unpacked tree works too.
file(RELATIVE_PATH TREMORA_LAUNCHER_TO_BIN "/p/${TREMORA_LAUNCHER_DIR}" "/p/${CMAKE_INSTALL_BINDIR}")
file(RELATIVE_PATH TREMORA_LAUNCHER_TO_PRESETS "/p/${TREMORA_LAUNCHER_DIR}" "/p/${TREMORA_PRESETS_DIR}")
file(RELATIVE_PATH TREMORA_LAUNCHER_TO_RECORDS "/p/${TREMORA_LAUNCHER_DIR}" "/p/${TREMORA_RECORDS_DIR}")
set(TREMORA_LAUNCHER "${CMAKE_INSTALL_PREFIX}/${TREMORA_LAUNCHER_DIR}/tremora-launcher")
configure_file(data/tremora-launcher.in generated/tremora-launcher @ONLY)
configure_file(data/tremora.desktop.in generated/tremora.desktop @ONLY)

set(TREMORA_GZIPPED "")
foreach(name changelog tremora.1)
  set(gz "${CMAKE_BINARY_DIR}/generated/${name}.gz")
  add_custom_command(OUTPUT "${gz}" COMMAND gzip -9nc "${CMAKE_SOURCE_DIR}/data/${name}" > "${gz}"
    DEPENDS "${CMAKE_SOURCE_DIR}/data/${name}")
  list(APPEND TREMORA_GZIPPED "${gz}")
endforeach()
add_custom_target(tremora_docs ALL DEPENDS ${TREMORA_GZIPPED})

install(TARGETS tremora RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(PROGRAMS "${CMAKE_BINARY_DIR}/generated/tremora-launcher" DESTINATION "${TREMORA_LAUNCHER_DIR}")
install(FILES save/hause.velmar save/lightaf.velmar DESTINATION "${TREMORA_PRESETS_DIR}")
install(DIRECTORY records/ DESTINATION "${TREMORA_RECORDS_DIR}" FILES_MATCHING PATTERN "*.AT2" PATTERN "*.csv")
install(FILES "${CMAKE_BINARY_DIR}/generated/tremora.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES data/tremora.png DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps")
install(FILES data/copyright "${CMAKE_BINARY_DIR}/generated/changelog.gz" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(FILES "${CMAKE_BINARY_DIR}/generated/tremora.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tremora)
set(CPACK_PACKAGE_VENDOR "Tremora founding engineers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop earthquake sandbox")
set(CPACK_PACKAGE_DESCRIPTION "Draw a two-dimensional structure of straight members on a snap grid,
turn it into a rigid-body simulation and shake it with an earthquake of
chosen magnitude, duration and epicenter, while the joints tire and break.
Ragdoll figures, live force graphs, designs saved to small files, and
screenshots and GIF recordings of the window.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tremora maintainers <maintainers@users.noreply.c-seed-10bad539.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# GLFW opens OpenGL and the X extension libraries at run time: no link-time trace for shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libxrandr2, libxcursor1, libxi6, libxinerama1, libxext6, libxrender1")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")  # the menu entry names the launcher's full path
set(CPACK_STRIP_FILES ON)
include(CPack)
