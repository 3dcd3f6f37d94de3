# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The package that cpack builds says what the source package in debian/ says: its
# maintainer, section, dependencies and description are read from debian/control, and its
# version must be the one the top entries of debian/changelog and NEWS record.
#   debian_control_field(FIELD OUTPUT): a field of the binary package's paragraph, or of the
#   source's where the binary one has none (Maintainer, Section), its continuation lines
#   joined by newlines (a line "." is an empty one).
function(debian_control_field field output)
    file(STRINGS ${PROJECT_SOURCE_DIR}/debian/control lines)
    set(paragraph 0)
    set(value_0 "")
    set(value_1 "")
    set(in_field OFF)
    foreach(line IN LISTS lines)
        if(line STREQUAL "")
            math(EXPR paragraph "${paragraph} + 1")
            set(in_field OFF)
        elseif(line MATCHES "^${field}: *(.*)$")
            if(paragraph GREATER 0)
                set(which 1)
            else()
                set(which 0)
            endif()
            set(value_${which} "${CMAKE_MATCH_1}")
            set(in_field ON)
        elseif(in_field AND line MATCHES "^ +(.*)$")
            set(continued "${CMAKE_MATCH_1}")
            if(continued STREQUAL ".")
                set(continued "")
            endif()
            string(APPEND value_${which} "\n${continued}")
        else()
            set(in_field OFF)
        endif()
    endforeach()
    if(value_1 STREQUAL "")
        set(value_1 "${value_0}")
    endif()
    if(value_1 STREQUAL "")
        message(FATAL_ERROR "debian/control: the package has no ${field} field")
    endif()
    set(${output} "${value_1}" PARENT_SCOPE)
endfunction()

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
