// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/texts/catalogue.h"

#include <string_view>

// The engine's own words, which the user never sees as such, beside the catalogue.
namespace tarvelio::texts {

// Kinds of the last input; compared exactly.
inline constexpr std::string_view kNone = "NONE";
inline constexpr std::string_view kNums = "NUMS";
inline constexpr std::string_view kOps = "OPS";
inline constexpr std::string_view kNeg = "NEG";
inline constexpr std::string_view kClearEntry = "CE";
inline constexpr std::string_view kPercentTaken = "Ops";

// Pictures for the readout and for texts built from the decimal separator.
inline constexpr std::string_view kTwoDecimals = "##,##0.00";
inline constexpr std::string_view kZeroPattern = "0.";
inline constexpr std::string_view kSeparatorPattern = ".";
inline constexpr std::string_view kNegativeZeroPattern = "-0.";

} // namespace tarvelio::texts
