# Installing the game: `cmake --install BUILD --prefix P` gives
#   P/kelto/kelto                  the program, with its data folder P/kelto/Data/ beside it
#                                  (the save file is written there, so P must be writable)
#   P/share/applications/kelto.desktop, P/share/icons/hicolor/NxN/apps/kelto.png,
#   P/share/metainfo/kelto.metainfo.xml
# Without an explicit prefix the game goes to the user's own ~/.local.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND DEFINED ENV{HOME})
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local" CACHE PATH "Install prefix" FORCE)
endif()

set(kelto_packaging "${PROJECT_SOURCE_DIR}/packaging")

install(TARGETS kelto RUNTIME DESTINATION kelto)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/Data/" DESTINATION kelto/Data
  PATTERN "Kelto.sav" EXCLUDE)

foreach(size 32 64 128 256)
  install(FILES "${kelto_packaging}/icons/kelto-${size}.png"
    DESTINATION "share/icons/hicolor/${size}x${size}/apps" RENAME kelto.png)
endforeach()
install(FILES "${kelto_packaging}/kelto.metainfo.xml" DESTINATION share/metainfo)

# The menu entry starts the program by its absolute path, known only when installing.
install(CODE "
  set(KELTO_EXEC \"\${CMAKE_INSTALL_PREFIX}/kelto/kelto\")
  configure_file(\"${kelto_packaging}/kelto.desktop.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/kelto.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/kelto.desktop\")
")

# Installs into a fresh folder and checks the layout, the menu entry and the AppStream data;
# skipped where desktop-file-validate or appstreamcli is missing.
add_test(NAME install.validate
  COMMAND bash "${kelto_packaging}/check_install.sh" "${CMAKE_BINARY_DIR}")
set_tests_properties(install.validate PROPERTIES SKIP_RETURN_CODE 77)
