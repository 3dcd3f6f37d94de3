# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack before it packs. The archives' times are the last commit's, unless
# SOURCE_DATE_EPOCH names one already, as a distribution's build does: so the package
# does not change with the hour it was made at.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CPACK_TARVELIO_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
    if(status STREQUAL "0" AND epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    else()
        message(WARNING "Neither SOURCE_DATE_EPOCH nor a git checkout: the package carries the time it is made at")
    endif()
endif()
