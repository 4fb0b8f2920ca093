# The program is installed into a directory of its own: its day files are written beside
# the executable, so it must never land in a shared system binary directory.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "/opt/kavro" CACHE PATH "Install directory" FORCE)
endif()

# Desktop files name the final location of the program, filled in at install time: DIR for
# `cmake --install --prefix DIR`, /opt/kavro for the package.
install(TARGETS kavro RUNTIME DESTINATION . COMPONENT program)
install(FILES packaging/kavro.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT program)
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

# A Debian package: `cpack -G DEB` in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavro)
set(CPACK_PACKAGE_VENDOR "KAVRO")
set(CPACK_PACKAGE_CONTACT "KAVRO developers <kavro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Front-desk timetable for rooms rented by the hour")
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/kavro)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, sound-theme-freedesktop")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${CMAKE_CURRENT_SOURCE_DIR}/packaging/postinst;${CMAKE_CURRENT_SOURCE_DIR}/packaging/postrm")
set(CPACK_COMPONENTS_ALL program)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
include(CPack)
