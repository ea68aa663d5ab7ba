# SPDX-License-Identifier: MIT
# Run by CPack on the staged files: strips the programs as Debian's own
# package tools do, the compilers' .comment and .note sections included.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
foreach(program IN LISTS programs)
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                            --strip-unneeded ${program}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
