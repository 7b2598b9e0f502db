# Debian's hardening build flags (what `dpkg-buildflags` gives with hardening=+all) for the code that
# goes into the package: the core and window libraries and both programs. Tests and benchmarks keep
# the plain flags. The sanitizer build goes without them: the address sanitizer brings its own
# checks and does not mix with the fortified library functions.
# SPDX-License-Identifier: GPL-3.0-or-later
option(QUORVEL_HARDENING "Build the programs with the distribution's hardening flags" ON)

function(quorvel_harden target)
    if(NOT QUORVEL_HARDENING OR QUORVEL_SANITIZE)
        return()
    endif()
    # Fortified functions need an optimising build; Debug builds get the rest.
    target_compile_definitions(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_compile_options(${target} PRIVATE -fstack-protector-strong -Wformat -Werror=format-security)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -pie -Wl,-z,relro -Wl,-z,now)
    elseif(type STREQUAL "MODULE_LIBRARY")
        target_link_options(${target} PRIVATE -Wl,-z,relro -Wl,-z,now)
    endif()
endfunction()
