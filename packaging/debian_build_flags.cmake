# SPDX-License-Identifier: MIT
# Debian's compiler and linker flags with every hardening feature (bindnow
# among them), asked of dpkg-buildflags as a Debian package build would, so
# that the programs in the package are hardened as the archive's are.
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
set(ENV{DEB_BUILD_MAINT_OPTIONS} "hardening=+all")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(debian_${kind} UNIX_COMMAND "${flags}")
endforeach()
add_compile_options(${debian_CPPFLAGS} ${debian_CXXFLAGS})
add_link_options(${debian_LDFLAGS})
message(STATUS "Debian build flags: ${debian_CPPFLAGS} ${debian_CXXFLAGS} / ${debian_LDFLAGS}")
