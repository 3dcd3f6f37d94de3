// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvelio {

// Digits beyond this many characters are dropped.
inline constexpr std::size_t kMaxEntryLength = 24;

// The number being typed with one more digit. While the whole-number part is typed the
// separator stands at the end and each digit goes in front of it; after the decimal
// point digits are appended. A number without a separator (left after a conversion whose
// following operator failed) counts whole as the whole-number part.
std::string withDigit(std::string text, std::string_view digit, bool decimals, std::string_view separator);

} // namespace tarvelio
