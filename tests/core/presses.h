// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/calculator.h"

#include <map>
#include <sstream>
#include <string>

namespace tarvelio::testing_support {

// Clicks buttons as a person would. Presses are separated by blanks: a run of digits,
// "." for the decimal point, the operator captions "+", "-", "X", "/", "=", and "%", "C",
// "CE", "#" for the check box, and "EUR" and "DM" for the two conversions.
inline void press(Calculator& calc, const std::string& presses) {
    static const std::map<std::string, Ctl> buttons {
        {".", Ctl::Decimal},
        {"+", Ctl::Plus},
        {"-", Ctl::Minus},
        {"X", Ctl::Times},
        {"/", Ctl::Divide},
        {"=", Ctl::Equals},
        {"%", Ctl::Percent},
        {"C", Ctl::Cancel},
        {"CE", Ctl::CancelEntry},
        {"#", Ctl::Digits2},
        {"EUR", Ctl::DME},
        {"DM", Ctl::EDM},
    };
    std::istringstream in(presses);
    for (std::string p; in >> p;) {
        if (auto it = buttons.find(p); it != buttons.end()) {
            calc.form().userClick(it->second);
            continue;
        }
        for (char d : p)
            calc.form().userClick(*numberButton(d - '0'));
    }
}

// '|' in an expected text stands for the decimal separator of the format under test.
inline std::string withSeparator(const std::string& text, const NumberFormat& f) {
    std::string out;
    for (char c : text)
        out += c == '|' ? f.decimalSeparator : std::string(1, c);
    return out;
}

} // namespace tarvelio::testing_support
