# Runs at install time, when the prefix is known: the entry starts the
# installed executable by its absolute path. The entry is written into the
# build folder first and then installed like any other file, so DESTDIR
# holds and install_manifest.txt lists it.
set(TALKINGCLOCK_EXEC "${CMAKE_INSTALL_PREFIX}/bin/talking-clock")
set(staged "${TALKINGCLOCK_STAGING_DIR}/talking-clock.desktop")
configure_file("${CMAKE_CURRENT_LIST_DIR}/talking-clock.desktop.in" "${staged}" @ONLY)
file(INSTALL "${staged}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
