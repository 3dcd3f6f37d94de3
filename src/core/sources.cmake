# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The core's sources, relative to this directory. The core's own build and the fuzzers'
# project both include this list, so the fuzzers test exactly what the program links.
set(TARVELIO_CORE_SOURCES
    currency/currency.cpp
    engine/calcvalue.cpp
    engine/calculator.cpp
    engine/clear.cpp
    engine/entry.cpp
    engine/numbertext.cpp
    engine/operators.cpp
    engine/readout.cpp
    input/clipboardcommands.cpp
    input/keymap.cpp
    window/form.cpp
    window/glyphs.cpp
    window/startup.cpp
    winhelpers/module1.cpp
)
