# The program is installed into a directory of its own: its day files are written beside
# the executable, so it must never land in a shared system binary directory.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "/opt/kavro" CACHE PATH "Install directory" FORCE)
endif()
install(TARGETS kavro RUNTIME DESTINATION . COMPONENT program)
