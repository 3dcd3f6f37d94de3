// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>

namespace tarvelio::keys {

// Characters the key map reads, as codes of the window's 8-bit character set.
inline constexpr std::int16_t kCopy = 3; // Ctrl+C
inline constexpr std::int16_t kPaste = 22; // Ctrl+V
inline constexpr std::int16_t kEuro = 128; // the euro sign, AltGr+E
// Any other character beyond 7-bit ASCII: it runs nothing.
inline constexpr std::int16_t kOutside = 255;

// Key codes the chooser's key-down handling tells apart.
inline constexpr std::int16_t kEnter = 13;
inline constexpr std::int16_t kLeft = 37;
inline constexpr std::int16_t kUp = 38;
inline constexpr std::int16_t kRight = 39;
inline constexpr std::int16_t kDown = 40;
// The context-menu key and F10: with Shift, F10 is the other key that opens a context menu.
inline constexpr std::int16_t kMenu = 93;
inline constexpr std::int16_t kF10 = 121;

// The modifier state passed with a key code: one bit each.
inline constexpr std::int16_t kShift = 1;
inline constexpr std::int16_t kCtrl = 2;
inline constexpr std::int16_t kAlt = 4;

// A key press as the toolkit reports it: which key it is (a letter or digit by its
// upper-case code, the keys above by theirs, any other key kOutside), the modifiers held,
// and the character it types in the window's 8-bit character set, if it types one.
struct KeyPress {
    std::int16_t key = kOutside;
    std::int16_t shift = 0;
    std::optional<std::int16_t> character;
    bool autoRepeat = false;
};

// The keys the chooser keeps for itself; any other key hands the focus back to "=".
constexpr bool chooserKeeps(std::int16_t keyCode) {
    return keyCode == kEnter || keyCode == kUp || keyCode == kRight || keyCode == kDown;
}

// The keys that open the currency chooser, as a right-button press on "DM" does: the
// context-menu key, and Shift+F10 without other modifiers.
constexpr bool opensChooser(std::int16_t keyCode, std::int16_t shift) {
    return keyCode == kMenu || (keyCode == kF10 && shift == kShift);
}

} // namespace tarvelio::keys
