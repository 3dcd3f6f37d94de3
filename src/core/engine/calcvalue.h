// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/numbertext.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tarvelio {

// A value of the calculator: empty, a number or a text. A number under entry stays
// text in the user's own format until an operation needs its number. A text is read as a
// number once and the outcome kept with it, also when the value is copied: a pasted
// megabyte is read once, not again on every redraw and every operation.
class CalcValue {
public:
    CalcValue() = default;
    CalcValue(double number)
        : m_value(number) { }
    CalcValue(std::string text)
        : m_value(std::move(text)) { }
    CalcValue(const char* text)
        : m_value(std::string(text)) { }
    CalcValue(const CalcValue&) = default;
    CalcValue(CalcValue&&) noexcept = default;
    // The old value goes first: assigned in place, a short text would keep the whole
    // buffer of a long one, so a pasted megabyte would outlive its number.
    CalcValue& operator=(CalcValue other) noexcept {
        m_value.emplace<std::monostate>();
        m_value = std::move(other.m_value);
        m_read = std::move(other.m_read);
        return *this;
    }
    ~CalcValue() = default;

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<std::string>(m_value); }
    double number() const { return std::get<double>(m_value); }
    const std::string& text() const { return std::get<std::string>(m_value); }

    friend bool operator==(const CalcValue& a, const CalcValue& b) { return a.m_value == b.m_value; }

private:
    friend std::optional<double> numberOf(const CalcValue& value, const NumberFormat& format);

    // What the text read as, and with which separators.
    struct Reading {
        std::string decimalSeparator;
        std::string groupSeparator;
        std::optional<double> number;
    };

    std::variant<std::monostate, double, std::string> m_value;
    mutable std::optional<Reading> m_read;
};

// The number of a value: a number is itself, empty is 0, a text is read leniently;
// a text that is not a number has none.
std::optional<double> numberOf(const CalcValue& value, const NumberFormat& format);

// The text of a value: a text is itself, empty is the empty text, a number is written
// with up to 15 significant digits.
std::string textOf(const CalcValue& value, const NumberFormat& format);

} // namespace tarvelio
