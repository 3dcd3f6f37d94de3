# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The version is written once, in the top CMakeLists.txt: configuration stops unless the
# top entries of debian/changelog (the package's version) and NEWS are for that version.
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
