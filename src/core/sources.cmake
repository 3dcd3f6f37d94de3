# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The core's sources, relative to this directory. The core's own build and the fuzzers'
# project both include this list, so the fuzzers test exactly what the program links.
set(TARVELIO_CORE_SOURCES
    # The calculator window's rules, above the subsystems they use.
    calculation.cpp
    calculator.cpp
    conversion.cpp
    glyphs.cpp
    keyboard.cpp
    startup.cpp
    winhelpers.cpp
    # The subsystems: each includes only the catalogue, the engine and its own files.
    currency/currency.cpp
    engine/arithmetic.cpp
    engine/calcvalue.cpp
    engine/entry.cpp
    engine/numbertext.cpp
    window/form.cpp
)
