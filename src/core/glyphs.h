// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/engine/numbertext.h"

#include <functional>
#include <string>
#include <string_view>

namespace tarvelio {

// Every character the window may draw in a session with these separators: the captions,
// tool tips and error words, the currency codes and names, the digits and signs, the
// separators, and the blanks and group separators a pasted number may keep. UTF-8.
std::string charactersToDraw(const NumberFormat& format);

// Whether the faces that `covers` describes can draw every character of the UTF-8 text;
// control characters are never drawn.
bool drawsAll(std::string_view text, const std::function<bool(char32_t)>& covers);

} // namespace tarvelio
