// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tarvelio {

// The window's 29 controls, in the window's order of controls (their tab index).
enum class Ctl : std::uint8_t {
    Equals, // Operator(4)
    Num0,
    Num1,
    Num2,
    Num3,
    Num4,
    Num5,
    Num6,
    Num7,
    Num8,
    Num9,
    Cancel,
    CancelEntry,
    Plus, // Operator(1)
    Minus, // Operator(3)
    Times, // Operator(2)
    Divide, // Operator(0)
    Decimal,
    Percent,
    Picture1,
    Readout,
    DME,
    Digits2,
    Label1,
    cCopy,
    cPaste,
    Combo1,
    EDM,
    Label2,
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Ctl::Label2) + 1;

constexpr std::size_t indexOf(Ctl c) {
    return static_cast<std::size_t>(c);
}

// The digit buttons form the control array `Number`, indexed by their digit.
constexpr std::optional<Ctl> numberButton(int index) {
    if (index < 0 || index > 9)
        return std::nullopt;
    return static_cast<Ctl>(indexOf(Ctl::Num0) + static_cast<std::size_t>(index));
}

constexpr std::optional<int> numberIndex(Ctl c) {
    if (c < Ctl::Num0 || c > Ctl::Num9)
        return std::nullopt;
    return static_cast<int>(indexOf(c) - indexOf(Ctl::Num0));
}

// The indices of the control array `Operator`. They do not follow the order on screen.
namespace op {
inline constexpr std::int16_t kDivide = 0;
inline constexpr std::int16_t kPlus = 1;
inline constexpr std::int16_t kTimes = 2;
inline constexpr std::int16_t kMinus = 3;
inline constexpr std::int16_t kEquals = 4;
inline constexpr int kCount = 5;
} // namespace op

constexpr std::optional<Ctl> operatorButton(int index) {
    constexpr Ctl byIndex[op::kCount] = {Ctl::Divide, Ctl::Plus, Ctl::Times, Ctl::Minus, Ctl::Equals};
    if (index < 0 || index >= op::kCount)
        return std::nullopt;
    return byIndex[index];
}

constexpr std::optional<int> operatorIndex(Ctl c) {
    for (int i = 0; i < op::kCount; ++i) {
        if (operatorButton(i) == c)
            return i;
    }
    return std::nullopt;
}

enum class ControlKind : std::uint8_t { Button, PictureButton, CheckBox, ComboBox, Label, PictureBox };

constexpr bool canHoldFocus(ControlKind k) {
    return k != ControlKind::Label && k != ControlKind::PictureBox;
}

} // namespace tarvelio
