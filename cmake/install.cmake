# What `cmake --install` puts where, and the Debian package that cpack makes of the same files.
# The layout follows Debian's for games: the executable in <prefix>/games, the desktop entry, icons,
# AppStream metadata, a manual page in section 6 and the copyright notice under <prefix>/share.
include(GNUInstallDirs)

set(VX_APP_ID io.github.vextoron.Vextoron)
set(VX_INSTALL_GAMESDIR games CACHE STRING "Folder of the executable, relative to the install prefix")
set(VX_ICON_SIZES 64 128 256)

install(TARGETS vextoron RUNTIME DESTINATION ${VX_INSTALL_GAMESDIR})

# The desktop entry starts the game by its full path (a desktop session's PATH often lacks the games
# folder) and the manual page and changelog are compressed. The prefix is only known when installing
# (cpack installs under its own), so these files are made then, into the build tree.
set(vx_made ${CMAKE_BINARY_DIR}/install-made)
install(CODE "
  set(vx_source \"${PROJECT_SOURCE_DIR}/dist\")
  set(vx_made \"${vx_made}\")
  set(vx_app_id \"${VX_APP_ID}\")
  set(vx_gamesdir \"${VX_INSTALL_GAMESDIR}\")
")
install(SCRIPT cmake/install_made_files.cmake)
install(FILES ${vx_made}/${VX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vx_made}/vextoron.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/${VX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${vx_made}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# assets/Icons/vextoron.png is the 256 px icon, vextoron-<size>.png the smaller ones.
foreach(size IN LISTS VX_ICON_SIZES)
  if(size EQUAL 256)
    set(icon assets/Icons/vextoron.png)
  else()
    set(icon assets/Icons/vextoron-${size}.png)
  endif()
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vextoron.png)
endforeach()

# The Debian package: `cpack -G DEB` in the build tree (tools/package.sh does it all). The maintainer
# is the one who signed the newest entry of dist/changelog.
file(STRINGS dist/changelog vx_signature REGEX "^ -- .* <[^>]+>  " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- (.* <[^>]+>)  .*$" "\\1" vx_maintainer "${vx_signature}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vextoron)
set(CPACK_PACKAGE_VENDOR "The VEXTORON project")
set(CPACK_PACKAGE_CONTACT "${vx_maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade shooter: drive a tank and shoot down the UFOs")
# Lines of the long description stay under 80 characters, as Debian asks.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Your tank drives along the bottom of the screen and fires missiles upwards."
  "Scout UFOs fly curved paths, drop fireballs on you and retreat into the"
  "distance, where they can neither shoot nor be hit, before they come back to"
  "attack. Clear the sky and the next, bigger wave arrives."
  ""
  "A tutorial of five short lessons teaches driving, firing and dodging. The"
  "game plays in a window or full screen, with music and sound; all its"
  "pictures and sounds are built into one executable.")
# Install into the staging folder with DESTDIR, so the install step sees the real prefix /usr for the
# desktop entry.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${vx_maintainer}")
# Depends comes from the libraries the executable really links, through dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
