# What the shipped program gets beyond its sources: hardening and its built-in icon.
# Hardening covers the program and every library of this tree linked into it, whatever the
# lists of sources look like. The sanitizer build goes without it: AddressSanitizer brings
# its own checks and does not mix with the fortified functions.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)

function(kavro_harden target)
    get_target_property(hardened ${target} KAVRO_HARDENED)
    if(hardened)
        return()
    endif()
    get_target_property(type ${target} TYPE)
    # A library that only gathers others (the core) is hardened through them.
    if(type STREQUAL "INTERFACE_LIBRARY")
        set_target_properties(${target} PROPERTIES KAVRO_HARDENED ON)
        get_target_property(libraries ${target} INTERFACE_LINK_LIBRARIES)
    else()
        set_target_properties(${target} PROPERTIES KAVRO_HARDENED ON POSITION_INDEPENDENT_CODE ON)
        # The fortified functions need the optimiser; a Debug build goes without them.
        target_compile_options(${target} PRIVATE -fstack-protector-strong
            $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
        if(type STREQUAL "EXECUTABLE")
            target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
        endif()
        get_target_property(libraries ${target} LINK_LIBRARIES)
    endif()
    foreach(library IN LISTS libraries)
        if(TARGET ${library})
            get_target_property(imported ${library} IMPORTED)
            if(NOT imported)
                kavro_harden(${library})
            endif()
        endif()
    endforeach()
endfunction()

if(NOT KAVRO_SANITIZE)
    kavro_harden(kavro)
endif()

# The window's icon, built into the program: the title bar and task bar show it whatever
# directory the program was installed into.
qt_add_resources(kavro kavro_icon PREFIX /kavro BASE packaging FILES packaging/kavro.png)
