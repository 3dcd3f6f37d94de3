# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The warnings every target of the project is built with, as one interface target: the
# program's project and the fuzzers' project both include this file.
add_library(tarvelio_warnings INTERFACE)
target_compile_options(tarvelio_warnings INTERFACE $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic>)
