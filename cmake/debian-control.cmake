# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The package that cpack builds says what the source package in debian/ says: its
# maintainer, section, dependencies and description are read from debian/control, and its
# version must be the one the top entries of debian/changelog and NEWS record.
# The file is read once: each field into debian_<Field>, the binary package's value where
# it has one, else the source's (Maintainer, Section); continuation lines are joined by
# newlines (a line "." is an empty one).
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/control control_lines)
set(control_field "")
foreach(line IN LISTS control_lines)
    if(line STREQUAL "")
        set(control_field "")
    elseif(line MATCHES "^([A-Za-z-]+): *(.*)$")
        # The binary package's paragraph comes later, so its own value wins.
        set(control_field ${CMAKE_MATCH_1})
        set(debian_${control_field} "${CMAKE_MATCH_2}")
    elseif(NOT control_field STREQUAL "" AND line MATCHES "^ +(.*)$")
        set(continued "${CMAKE_MATCH_1}")
        if(continued STREQUAL ".")
            set(continued "")
        endif()
        string(APPEND debian_${control_field} "\n${continued}")
    endif()
endforeach()
foreach(field Maintainer Section Depends Recommends Description)
    if(NOT DEFINED debian_${field})
        message(FATAL_ERROR "debian/control: the package has no ${field} field")
    endif()
endforeach()

# The version of a changelog's top entry must be the product's version.
function(check_changelog_version file pattern)
    file(STRINGS ${PROJECT_SOURCE_DIR}/${file} top LIMIT_COUNT 1)
    if(NOT top MATCHES "${pattern}")
        message(FATAL_ERROR "${file} does not begin with an entry for ${TARVELIO_VERSION}, the version in "
            "CMakeLists.txt: add one (its first line is: ${top})")
    endif()
endfunction()
string(REPLACE "." "\\." version_pattern ${TARVELIO_VERSION})
check_changelog_version(debian/changelog "^tarvelio \\(${version_pattern}\\) ")
check_changelog_version(NEWS "^Tarvelio ${version_pattern} ")
