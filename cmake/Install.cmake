# The program is installed into a directory of its own: its day files are written beside
# the executable, so it must never land in a shared system binary directory.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "/opt/kavro" CACHE PATH "Install directory" FORCE)
endif()

# Desktop files name the final location of the program, filled in at install time: DIR for
# `cmake --install --prefix DIR`, /opt/kavro for the package.
install(TARGETS kavro RUNTIME DESTINATION . COMPONENT program)
install(FILES packaging/kavro.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT program)
install(FILES packaging/kavro.png DESTINATION share/icons/hicolor/256x256/apps COMPONENT program)
foreach(template kavro.desktop kavro-autostart.desktop kavro-enable-autostart)
    install(CODE "
        set(KAVRO_INSTALL_DIR \"\${CMAKE_INSTALL_PREFIX}\")
        configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/packaging/${template}.in\"
                       \"${CMAKE_CURRENT_BINARY_DIR}/packaging/${template}\" @ONLY)
    " COMPONENT program)
endforeach()
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/kavro.desktop
        DESTINATION share/applications COMPONENT program)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/kavro-autostart.desktop
        DESTINATION share/kavro COMPONENT program)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/kavro-enable-autostart
        DESTINATION . COMPONENT program)

# The Debian package is made by scripts/package.sh from this layout.
