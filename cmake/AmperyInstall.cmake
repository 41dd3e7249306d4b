# cmake --install puts the program where a Linux desktop looks for it: the
# programs in bin, the example experiments in share/ampery/examples, the
# menu entry and the icon in the freedesktop places.
include(GNUInstallDirs)

install(TARGETS ampery ampery-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${AMPERY_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/ampery/examples)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ampery.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/ampery.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
