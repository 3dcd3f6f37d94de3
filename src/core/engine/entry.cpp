// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/engine/entry.h"

namespace tarvelio {

std::string withDigit(std::string text, std::string_view digit, bool decimals, std::string_view separator) {
    if (decimals) {
        text += digit;
        return text;
    }
    const auto at = text.find(separator);
    if (at != std::string::npos)
        text.resize(at);
    text += digit;
    text += separator;
    return text;
}

} // namespace tarvelio
