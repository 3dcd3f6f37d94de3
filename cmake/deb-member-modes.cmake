# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on the finished package. CPack gives each member of the .deb's outer ar
# archive the mode of its temporary file, which follows the umask of whoever packs; dpkg
# writes 100644 for every member, and so does this, in place (dd from coreutils).
#   ar: "!<arch>\n", then per member a 60-byte header (mode at 40, 8 bytes; size at 48,
#   10 bytes) and the data, padded to an even length.
set(mode_file ${CPACK_TOPLEVEL_DIRECTORY}/member-mode)
file(WRITE ${mode_file} "100644  ")
foreach(deb ${CPACK_PACKAGE_FILES})
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    file(READ ${deb} magic LIMIT 8)
    if(NOT magic STREQUAL "!<arch>\n")
        message(FATAL_ERROR "${deb} is not an ar archive")
    endif()
    file(SIZE ${deb} size)
    set(offset 8)
    while(offset LESS size)
        file(READ ${deb} header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 48 10 member_size)
        string(STRIP "${member_size}" member_size)
        if(NOT member_size MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${deb}: no ar member header at byte ${offset}")
        endif()
        math(EXPR mode_at "${offset} + 40")
        execute_process(COMMAND dd of=${deb} bs=1 seek=${mode_at} conv=notrunc status=none
            INPUT_FILE ${mode_file} RESULT_VARIABLE status)
        if(NOT status STREQUAL "0")
            message(FATAL_ERROR "${deb}: the member mode could not be written (${status})")
        endif()
        math(EXPR offset "${offset} + 60 + ${member_size} + ${member_size} % 2")
    endwhile()
endforeach()
file(REMOVE ${mode_file})
