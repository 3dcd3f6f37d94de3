// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/engine/numbertext.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tarvelio {

// A value of the calculator: empty, a number or a text. A number under entry stays
// text in the user's own format until an operation needs its number. A text is shared by
// the copies of a value and read as a number once, its outcome kept with it: a pasted
// megabyte is neither copied nor read again by each redraw and operation.
class CalcValue {
public:
    CalcValue() = default;
    CalcValue(double number)
        : m_value(number) { }
    CalcValue(std::string text)
        : m_value(std::make_shared<const Text>(std::move(text))) { }
    CalcValue(const char* text)
        : CalcValue(std::string(text)) { }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<TextPtr>(m_value); }
    double number() const { return std::get<double>(m_value); }
    const std::string& text() const { return std::get<TextPtr>(m_value)->text; }

    friend bool operator==(const CalcValue& a, const CalcValue& b) {
        if (a.isText() && b.isText())
            return a.text() == b.text();
        return a.m_value.index() == b.m_value.index() && (!a.isNumber() || a.number() == b.number());
    }

private:
    friend std::optional<double> numberOf(const CalcValue& value, const NumberFormat& format);

    // What a text read as, and with which separators.
    struct Reading {
        std::string decimalSeparator;
        std::string groupSeparator;
        std::optional<double> number;
    };
    struct Text {
        explicit Text(std::string t)
            : text(std::move(t)) { }
        std::string text;
        mutable std::optional<Reading> read;
    };
    using TextPtr = std::shared_ptr<const Text>;

    std::variant<std::monostate, double, TextPtr> m_value;
};

// The number of a value: a number is itself, empty is 0, a text is read leniently;
// a text that is not a number has none.
std::optional<double> numberOf(const CalcValue& value, const NumberFormat& format);

// The text of a value: a text is itself, empty is the empty text, a number is written
// with up to 15 significant digits.
std::string textOf(const CalcValue& value, const NumberFormat& format);

} // namespace tarvelio
