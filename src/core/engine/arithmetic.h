// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/engine/calcvalue.h"

#include <optional>
#include <string_view>

namespace tarvelio {

// The pending operation on its two operands, named by the operator's caption ("+", "-",
// "X", "/", "="): "=" takes the second operand as it is, a division by zero gives the
// words "Division durch 0". No value where an operand is no number, the result lies
// beyond the range, or the caption is no operator.
std::optional<CalcValue> evaluate(
    const CalcValue& first, const CalcValue& second, std::string_view op, const NumberFormat& format);

// That percentage of the base; no value where either is no number or the product lies
// beyond the range.
std::optional<double> percentOf(const CalcValue& base, const CalcValue& percent, const NumberFormat& format);

} // namespace tarvelio
