# Runs at install time, when the prefix is known: the entry starts the
# installed executable by its absolute path.
set(TALKINGCLOCK_EXEC "${CMAKE_INSTALL_PREFIX}/bin/talking-clock")
set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/talking-clock.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/talking-clock.desktop.in" "${entry}" @ONLY)
