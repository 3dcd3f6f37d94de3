// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace tarvelio {

// The character a key press types, as a code of the window's 8-bit character set: the
// euro sign is 128, Ctrl+C and Ctrl+V are 3 and 22 however the platform delivers them.
// Characters beyond that set give a code above 128; keys that type nothing give none.
std::optional<std::int16_t> characterCode(const QKeyEvent& event);

// The key code and the Shift (1), Ctrl (2) and Alt (4) state that the chooser's key-down
// handling reads.
std::int16_t virtualKey(const QKeyEvent& event);
std::int16_t shiftState(const QKeyEvent& event);

} // namespace tarvelio
